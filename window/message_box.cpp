#include "window/message_box.h"

namespace sho {

QMessageBox* OpenMessageBox(QWidget& window, QMessageBox::Icon icon, const char* name,
                            const QString& title, const QString& text, const QString& details) {
  auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok, &window);
  box->setObjectName(name);
  box->setInformativeText(details);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::WindowModal);
  box->open();
  return box;
}

}  // namespace sho
