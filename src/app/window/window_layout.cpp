// The window's frame and every control at its place, in client-area coordinates; places inside
// a group box count from the group box's corner, places on a tab page from the tab control's
// own corner (its row of tabs included).
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>

#include "app/window/caption_widgets.h"
#include "app/window/input_widgets.h"
#include "app/window/main_window.h"
#include "app/window/qt_text.h"
#include "app/window/result_list_model.h"
#include "app/window/result_list_view.h"
#include "clearance/clearance_run.h"

namespace {

template <typename T>
T* Place(T* widget, std::string_view gbkName, int x, int y, int width, int height) {
  widget->setObjectName(FromGbk(gbkName));
  widget->setGeometry(x, y, width, height);
  return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, QRect place) {
  auto* label =
      Place(new QLabel(caption, parent), name, place.x(), place.y(), place.width(), place.height());
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const Button& button, QRect place) {
  auto* widget = new QPushButton(parent);
  widget->setAutoDefault(false);
  return Place(widget, button.name, place.x(), place.y(), place.width(), place.height());
}

WrappingCheckBox* MakeCheckBox(QWidget* parent, const CheckBox& box, QRect place) {
  return Place(new WrappingCheckBox(parent), box.name, place.x(), place.y(), place.width(),
               place.height());
}

SpinArrows* MakeArrows(QWidget* parent, QLineEdit* box) {
  // The arrows stand against the box's right edge, as tall as the box.
  auto* arrows = new SpinArrows(parent);
  arrows->setObjectName(box->objectName() + QStringLiteral("箭头"));
  arrows->setGeometry(box->geometry().right() + 1, box->y(), 18, box->height());
  return arrows;
}

// Where each channel box stands in 分组框4.
struct ChannelPlace {
  CheckBox WindowControls::*box;
  int x, y;
};
constexpr ChannelPlace kChannelPlaces[] = {
    {&WindowControls::九块邮选择框, 8, 10},
    {&WindowControls::聚划算选择框, 70, 10},
    {&WindowControls::卷皮折扣选择框, 132, 10},
    {&WindowControls::天天特价选择框, 208, 9},
};

// The group box of each clearance page, in the order of ClearancePanels().
constexpr const char* kClearanceGroupBoxes[] = {"分组框5", "分组框6", "分组框2"};
constexpr int kCategoryColumns[] = {4, 80, 152, 224};
constexpr int kCategoryRows[] = {9, 24, 40, 56};

}  // namespace

QSize MainWindow::ClientSize() { return QSize(601, 407); }

void MainWindow::BuildLayout() {
  WindowControls& c = Controls();
  setWindowTitle(QStringLiteral("Deal Harvester 1.20"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(ClientSize());
  // Centred: the outer frame of 607 x 436 in the middle of the screen's free area.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect free = screen->availableGeometry();
    move(free.x() + (free.width() - 607) / 2, free.y() + (free.height() - 436) / 2);
  }

  auto* banner = Place(new QLabel(this), "图片框1", 14, 9, 152, 31);
  banner->setPixmap(QPixmap(QStringLiteral(":/deal-harvester/banner.jpg")));
  banner->setScaledContents(true);
  banner->setFrameShape(QFrame::NoFrame);

  // Tab control and its pages.
  tabs_ = Place(new QTabWidget(this), "选择夹1", 170, 7, 416, 103);
  tabs_->setUsesScrollButtons(false);
  const QString pageCaptions[] = {QStringLiteral("低价包邮"), QStringLiteral("年末清仓白天1"),
                                  QStringLiteral("年末清仓白天2"), QStringLiteral("年末清仓夜场")};
  QWidget* pages[4];
  for (int i = 0; i < 4; ++i) {
    pages[i] = new QWidget;
    pages[i]->setObjectName(pageCaptions[i]);
    tabs_->addTab(pages[i], pageCaptions[i]);
  }
  tabStack_ = tabs_->findChild<QStackedWidget*>();
  tabStack_->installEventFilter(this);

  auto* dealBox = Place(new FrameGroupBox(pages[0]), "分组框4", 0, 0, 395, 74);
  tabPlaces_.push_back({dealBox, QRect(8, 23, 395, 74)});
  for (const ChannelPlace& place : kChannelPlaces) {
    MakeCheckBox(dealBox, c.*place.box, QRect(place.x, place.y, 72, 35));
  }
  MakeButton(dealBox, c.获取特价列表按钮, QRect(311, 15, 73, 47));

  const auto panels = ClearancePanels();
  for (std::size_t p = 0; p < panels.size() && p < 3; ++p) {
    auto* box = Place(new FrameGroupBox(pages[p + 1]), kClearanceGroupBoxes[p], 0, 0, 395, 78);
    tabPlaces_.push_back({box, QRect(8, 20, 395, 78)});
    for (std::size_t k = 0; k < panels[p].categories.size() && k < 16; ++k) {
      MakeCheckBox(box, c.*panels[p].categories[k].box,
                   QRect(kCategoryColumns[k % 4], kCategoryRows[k / 4], 72, 19));
    }
    MakeButton(box, c.*panels[p].button, QRect(311, 18, 73, 47));
  }

  // The about label stands in the row of tabs, right of the tabs, on the first page only.
  auto* about = Place(new ClickLabel(QStringLiteral("&关于作者"), tabs_), "标签1", 356, 3, 47, 16);
  about->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  about->setCursor(Qt::PointingHandCursor);
  about->raise();

  // Filter controls. Each box is made after what it overlaps, so that it lies on top.
  auto* filterBox = Place(new FrameGroupBox(this), "分组框1", 15, 35, 152, 56);
  MakeCheckBox(filterBox, c.折扣选择框, QRect(9, 8, 80, 24));
  auto* discount = Place(new HookedLineEdit(filterBox), c.折扣编辑框.name, 67, 9, 35, 20);
  discount->SetAllowedCharacters(QStringLiteral("0123456789-."));
  MakeArrows(filterBox, discount);
  MakeLabel(filterBox, "标签3", QStringLiteral("折"), QRect(129, 8, 17, 24));
  MakeCheckBox(filterBox, c.价格选择框, QRect(8, 29, 80, 24));
  auto* price = Place(new HookedLineEdit(filterBox), c.价格编辑框.name, 68, 31, 35, 20);
  price->SetAllowedCharacters(QStringLiteral("0123456789-"));
  MakeArrows(filterBox, price);
  MakeLabel(filterBox, "标签4", QStringLiteral("元"), QRect(129, 26, 10, 24));

  // Search controls.
  MakeLabel(this, "标签2", QStringLiteral("搜索"), QRect(16, 90, 80, 24));
  Place(new HookedLineEdit(this), c.编辑框2.name, 43, 91, 63, 20);
  MakeButton(this, c.搜索按钮, QRect(109, 92, 56, 20));

  // Result lists: the search list lies exactly over the main list.
  auto* listBox = Place(new FrameGroupBox(this), "分组框3", 13, 109, 577, 206);
  for (ReportList* list : {&c.超级列表框1, &c.超级列表框2}) {
    auto* model = new ResultListModel(this);
    QWidget* parent = list == &c.超级列表框1 ? static_cast<QWidget*>(listBox) : this;
    const QPoint corner = list == &c.超级列表框1 ? QPoint(6, 14) : QPoint(19, 123);
    auto* view =
        Place(new ResultListView(model, parent), list->name, corner.x(), corner.y(), 565, 178);
    lists_.push_back(ListView{list, model, view, {}});
  }

  log_ = Place(new QPlainTextEdit(this), c.编辑框1.name, 16, 312, 576, 85);
  log_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  log_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  log_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  log_->setUndoRedoEnabled(false);

  PlaceTabContents();
}

void MainWindow::PlaceTabContents() {
  const QPoint offset = tabStack_->mapTo(tabs_, QPoint(0, 0));
  for (const TabPlace& place : tabPlaces_) {
    place.widget->setGeometry(place.place.translated(-offset));
  }
}
