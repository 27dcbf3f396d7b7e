#include "app/window/window_look.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QProxyStyle>
#include <QStyleFactory>

namespace {
// Fusion with a row of tabs short and narrow enough for the places of the tab control: the
// pages' contents start right below the tabs, and the about label fits right of the last tab.
class WindowStyle : public QProxyStyle {
 public:
  WindowStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    switch (metric) {
      case PM_TabBarTabHSpace:
        return 12;
      case PM_TabBarTabVSpace:
        return 4;
      default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
  }
};
}  // namespace

void ApplyWindowLook(QApplication& app) {
  Q_INIT_RESOURCE(window_resources);
  app.setStyle(new WindowStyle);
  app.setPalette(app.style()->standardPalette());
  QFont font(QStringLiteral("WenQuanYi Micro Hei"));
  font.setPixelSize(12);
  app.setFont(font);
  app.setWindowIcon(QIcon(QStringLiteral(":/deal-harvester/deal-harvester.png")));
  app.setApplicationName(QStringLiteral("deal-harvester"));
}
