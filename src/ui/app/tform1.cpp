#include "ui/app/tform1.h"

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Vantrel"));
    resize(672, 573);
}
