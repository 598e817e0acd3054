#include "window/window_style.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>

namespace sho {
namespace {

// Gives the painter the widget's direction while the style draws a part of that widget.
class WidgetDirection {
 public:
  WidgetDirection(QPainter* painter, const QWidget* widget)
      : painter_(painter), before_(painter->layoutDirection()) {
    if (widget) painter_->setLayoutDirection(widget->layoutDirection());
  }
  ~WidgetDirection() { painter_->setLayoutDirection(before_); }
  WidgetDirection(const WidgetDirection&) = delete;
  WidgetDirection& operator=(const WidgetDirection&) = delete;

 private:
  QPainter* painter_;
  Qt::LayoutDirection before_;
};

// Qt itself reports a -style name it does not know; the window then keeps Fusion.
QString BaseStyleName(const QString& asked) {
  return QStyleFactory::keys().contains(asked, Qt::CaseInsensitive) ? asked
                                                                    : QStringLiteral("Fusion");
}

class WindowStyle : public QProxyStyle {
 public:
  explicit WindowStyle(const QString& name) : QProxyStyle(BaseStyleName(name)) {}

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    const WidgetDirection direction(painter, widget);
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    const WidgetDirection direction(painter, widget);
    QProxyStyle::drawControl(element, option, painter, widget);
  }
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    const WidgetDirection direction(painter, widget);
    QProxyStyle::drawComplexControl(control, option, painter, widget);
  }
};

}  // namespace

QStyle* NewWindowStyle(const QString& name) { return new WindowStyle(name); }

}  // namespace sho
