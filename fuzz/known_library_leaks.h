#pragma once

// Leaks of libraries below the readers that no reader can free, as leak checker suppressions.
// libheif 1.15's AV1 plugin keeps the data it sent when dav1d refuses it: 40 bytes per damaged
// AVIF picture.
#define VANTREL_KNOWN_LIBRARY_LEAKS "leak:libdav1d.so\n"
