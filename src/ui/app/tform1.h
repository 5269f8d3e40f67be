#pragma once

#include <QMainWindow>

// The application's one window and composition root.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
};
