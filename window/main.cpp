#include <QApplication>

#include "window/application.h"
#include "window/command_line.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
  const sho::CommandLine command = sho::ReadCommandLine(argc, argv);
  if (const int status = sho::AnswerCommandLine(command); status >= 0) return status;
  QApplication app(argc, argv);
  sho::SetUpApplication(QString::fromStdString(command.style));
  sho::Form1 form;
  form.show();
  return app.exec();
}
