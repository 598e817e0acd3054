#include "window/run_status.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace sho {
namespace {

QAccessibleInterface* NotificationInterface(const QString&, QObject* object) {
  auto* status = dynamic_cast<RunStatus*>(object);
  return status ? new QAccessibleWidget(status, QAccessible::Notification) : nullptr;
}

}  // namespace

RunStatus::RunStatus(QWidget& window) : QWidget(&window) {
  [[maybe_unused]] static const bool notification_known =
      (QAccessible::installFactory(NotificationInterface), true);
  setFocusPolicy(Qt::NoFocus);
  resize(0, 0);
  hide();
}

void RunStatus::Tell(const QString& text) {
  hide();
  if (text.isEmpty()) return;
  setAccessibleName(text);
  show();
}

}  // namespace sho
