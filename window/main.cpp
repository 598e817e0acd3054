#include <QApplication>

#include "window/application.h"
#include "window/command_line.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
  if (const int status = sho::AnswerCommandLine(argc, argv); status >= 0) return status;
  QApplication app(argc, argv);
  sho::SetUpApplication();
  sho::Form1 form;
  form.show();
  return app.exec();
}
