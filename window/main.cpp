#include <QApplication>

#include "window/form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // One style everywhere, so that the window's colours show as designed.
  QApplication::setStyle("Fusion");
  sho::Form1 form;
  form.show();
  return app.exec();
}
