#include <QApplication>

#include "window/application.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  sho::SetUpApplication();
  sho::Form1 form;
  form.show();
  return app.exec();
}
