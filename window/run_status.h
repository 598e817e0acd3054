#pragma once

#include <QString>
#include <QWidget>

namespace sho {

// What a run says it did, for screen readers, without moving the focus: a notification, as screen
// readers know it (its accessible role), named by what the run did. The window does not show it:
// it has no size and paints nothing. Screen readers speak a notification when it is shown, so
// each run that says something shows it anew, even with the text of the run before.
class RunStatus final : public QWidget {
 public:
  explicit RunStatus(QWidget& window);

  // Says `text`; an empty text says nothing.
  void Tell(const QString& text);
};

}  // namespace sho
