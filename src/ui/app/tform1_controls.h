#pragma once

// The generated controls of the window's form, for the handler files of every subsystem.
#include "ui_tform1.h"
