// What the user's actions do: the limit spinners and the price box's rewrite, the typing
// filters, check boxes and edit boxes written into the controls at once, the right-click on a
// channel, the double-click on a row, the header click, Enter in the keyword box, the author
// label, and edits in the log box.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "app/controls/activity_log.h"
#include "app/controls/controls.h"
#include "app/window/desktop_actions.h"
#include "app/window/qt_text.h"
#include "app/window/window_look.h"
#include "gui_test_support.h"
#include "results/keyword_search.h"

namespace {
Cells Row(const char* number, const char* title, const char* price, const char* address) {
  return Cells{number, title, "", price, "", "九块邮", address};
}

void ClickArrow(MainWindow& window, const QString& box, const char* arrow) {
  auto* arrows = Widget<QWidget>(window, box + QStringLiteral("箭头"));
  QVERIFY(arrows != nullptr);
  auto* button = arrows->findChild<QToolButton*>(QString::fromLatin1(arrow));
  QVERIFY(button != nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
}

// Types text key by key, as a keyboard (or an input method for characters it lacks) would.
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    const int key = c.unicode() < 0x80 ? QChar(c).toUpper().unicode() : 0;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}

// Replaces the text of a line edit as a user does: select all, delete, then type.
void TypeInto(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  Type(edit, text);
}

void LeaveBox(QWidget* widget, Qt::FocusReason reason = Qt::TabFocusReason) {
  QFocusEvent focusOut(QEvent::FocusOut, reason);
  QApplication::sendEvent(widget, &focusOut);
}
}  // namespace

class WindowInputTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    ApplyWindowLook(*qobject_cast<QApplication*>(QCoreApplication::instance()));
  }
  void init() {
    window_ = OpenWindow();
    QVERIFY(window_ != nullptr);
    desktop_ = std::make_unique<DesktopRecorder>();
  }
  void cleanup() {
    window_.reset();
    desktop_.reset();
  }

  void discountSpinner_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<QString>("shown");
    QTest::newRow("2.1 up") << "2.1"
                            << "up"
                            << "2.2";
    QTest::newRow("2.1 down") << "2.1"
                              << "down"
                              << "2";
    QTest::newRow("0.1 down") << "0.1"
                              << "down"
                              << "0";
    QTest::newRow("0 up") << "0"
                          << "up"
                          << "0.1";
    QTest::newRow("0 down") << "0"
                            << "down"
                            << "0.1";
    QTest::newRow("0.05 down") << "0.05"
                               << "down"
                               << "0.1";
    QTest::newRow("letters up") << "abc"
                                << "up"
                                << "0.1";
    QTest::newRow("letters down") << "abc"
                                  << "down"
                                  << "0.1";
    QTest::newRow("59.9 up") << "59.9"
                             << "up"
                             << "60";
    QTest::newRow("60 up") << "60"
                           << "up"
                           << "60.1";
    QTest::newRow("0.3 down three times") << "0.3"
                                          << "down down down"
                                          << "0";
  }

  void discountSpinner() {
    QFETCH(QString, start);
    QFETCH(QString, arrow);
    QFETCH(QString, shown);
    auto* box = Widget<QLineEdit>(*window_, QStringLiteral("折扣编辑框"));
    // The text the program writes is not filtered, so letters can be there too.
    Controls().折扣编辑框.WriteText(ToGbk(start));
    QTRY_COMPARE(box->text(), start);
    for (const QString& step : arrow.split(u' ')) {
      ClickArrow(*window_, QStringLiteral("折扣编辑框"), step.toLatin1().constData());
    }
    QTRY_COMPARE(box->text(), shown);
    QCOMPARE(FromGbk(Controls().折扣编辑框.ReadText()), shown);
  }

  void discountSpinnerStepsFromTypedText() {
    auto* box = Widget<QLineEdit>(*window_, QStringLiteral("折扣编辑框"));
    TypeInto(box, QStringLiteral("59.9"));
    ClickArrow(*window_, QStringLiteral("折扣编辑框"), "up");
    QTRY_COMPARE(box->text(), QStringLiteral("60"));
  }

  void priceSpinner_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<QString>("shown");
    QTest::newRow("600 up wraps") << "600"
                                  << "up"
                                  << "0";
    QTest::newRow("0 down wraps") << "0"
                                  << "down"
                                  << "600";
    QTest::newRow("50 up") << "50"
                           << "up"
                           << "51";
    QTest::newRow("50 down") << "50"
                             << "down"
                             << "49";
    QTest::newRow("empty up") << ""
                              << "up"
                              << "1";
  }

  void priceSpinner() {
    QFETCH(QString, start);
    QFETCH(QString, arrow);
    QFETCH(QString, shown);
    auto* box = Widget<QLineEdit>(*window_, QStringLiteral("价格编辑框"));
    TypeInto(box, start);
    ClickArrow(*window_, QStringLiteral("价格编辑框"), arrow.toLatin1().constData());
    QCOMPARE(box->text(), shown);
    QCOMPARE(box->selectedText(), shown);
    QCOMPARE(FromGbk(Controls().价格编辑框.ReadText()), shown);
  }

  void priceRewrittenOnLeaving_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("leading zeros") << "0050"
                                   << "50";
    QTest::newRow("zero becomes empty") << "0"
                                        << "";
    QTest::newRow("clamped to 32 bits") << "99999999999"
                                        << "2147483647";
    QTest::newRow("negative clamped") << "-99999999999"
                                      << "-2147483648";
    QTest::newRow("leading integer only") << "12-3"
                                          << "12";
    QTest::newRow("no digits") << "-"
                               << "";
  }

  void priceRewrittenOnLeaving() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    auto* box = Widget<QLineEdit>(*window_, QStringLiteral("价格编辑框"));
    TypeInto(box, typed);
    QCOMPARE(box->text(), typed);
    LeaveBox(box);
    QCOMPARE(box->text(), shown);
    QCOMPARE(FromGbk(Controls().价格编辑框.ReadText()), shown);
  }

  void priceKeptWhileItsContextMenuIsOpen() {
    auto* box = Widget<QLineEdit>(*window_, QStringLiteral("价格编辑框"));
    TypeInto(box, QStringLiteral("0050"));
    LeaveBox(box, Qt::PopupFocusReason);
    QCOMPARE(box->text(), QStringLiteral("0050"));
    LeaveBox(box, Qt::MouseFocusReason);
    QCOMPARE(box->text(), QStringLiteral("50"));
  }

  void typingFilters_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("discount") << QStringLiteral("折扣编辑框") << "a1.5-x 9"
                              << "1.5-9";
    QTest::newRow("price") << QStringLiteral("价格编辑框") << "1.5a-2"
                           << "15-2";
    QTest::newRow("price full-width digit")
        << QStringLiteral("价格编辑框") << QStringLiteral("３7") << "7";
    QTest::newRow("keyword takes anything") << QStringLiteral("编辑框2") << "a1.b -"
                                            << "a1.b -";
  }

  void typingFilters() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    auto* edit = Widget<QLineEdit>(*window_, box);
    TypeInto(edit, typed);
    QCOMPARE(edit->text(), kept);
    // Written into the control as typed, without waiting for anything.
    const Text control = box == QStringLiteral("编辑框2")      ? Controls().编辑框2.ReadText()
                         : box == QStringLiteral("价格编辑框") ? Controls().价格编辑框.ReadText()
                                                               : Controls().折扣编辑框.ReadText();
    QCOMPARE(FromGbk(control), kept);
  }

  void controlKeysAndPastePassTheFilter() {
    auto* edit = Widget<QLineEdit>(*window_, QStringLiteral("价格编辑框"));
    TypeInto(edit, QStringLiteral("123"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(edit->text(), QStringLiteral("2"));
    // Pasted text goes through the same filter: only its allowed characters arrive.
    QGuiApplication::clipboard()->setText(QStringLiteral("4x5元"));
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("245"));
    QCOMPARE(FromGbk(Controls().价格编辑框.ReadText()), QStringLiteral("245"));
    // And so does the context menu's paste.
    QGuiApplication::clipboard()->setText(QStringLiteral("-a6"));
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                edit->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(edit, &menuEvent);
    QAction* paste = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* menu = qobject_cast<QMenu*>(top); menu && menu->isVisible()) {
        for (QAction* action : menu->actions()) {
          if (action->text().section(u'\t', 0, 0) == QLineEdit::tr("&Paste")) paste = action;
        }
      }
    }
    QVERIFY(paste != nullptr);
    paste->trigger();
    QCOMPARE(edit->text(), QStringLiteral("245-6"));
    QCOMPARE(FromGbk(Controls().价格编辑框.ReadText()), QStringLiteral("245-6"));
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (qobject_cast<QMenu*>(top)) top->close();
    }
  }

  void checkBoxClickReachesControlAtOnce() {
    auto* box = Widget<QCheckBox>(*window_, QStringLiteral("价格选择框"));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    QVERIFY(box->isChecked());
    QVERIFY(Controls().价格选择框.ReadChecked());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    QVERIFY(!Controls().价格选择框.ReadChecked());
    // A click on the caption counts as well.
    auto* channel = Widget<QCheckBox>(*window_, QStringLiteral("卷皮折扣选择框"));
    QTest::mouseClick(channel, Qt::LeftButton, {},
                      QPoint(channel->width() - 10, channel->height() / 2));
    QVERIFY(!Controls().卷皮折扣选择框.ReadChecked());
  }

  void rightClickOpensChannelHome_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("home");
    QTest::addColumn<bool>("uncheckFirst");
    QTest::newRow("nine yuan") << QStringLiteral("九块邮选择框") << "http://nine.market.example/"
                               << false;
    QTest::newRow("group buy") << QStringLiteral("聚划算选择框")
                               << "http://groupbuy.market.example/" << false;
    QTest::newRow("discount shop")
        << QStringLiteral("卷皮折扣选择框") << "http://discountshop.market.example/" << false;
    QTest::newRow("daily specials, unchecked")
        << QStringLiteral("天天特价选择框") << "http://daily.market.example/" << true;
  }

  void rightClickOpensChannelHome() {
    QFETCH(QString, box);
    QFETCH(QString, home);
    QFETCH(bool, uncheckFirst);
    auto* widget = Widget<QCheckBox>(*window_, box);
    if (uncheckFirst)
      QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, widget->height() / 2));
    const bool before = widget->isChecked();
    CheckBox* control = Controls().FindCheckBox(ToGbk(box));
    QVERIFY(control != nullptr);
    QTest::mouseClick(widget, Qt::RightButton, {}, QPoint(5, widget->height() / 2));
    QCOMPARE(desktop_->opened.size(), std::size_t{1});
    QCOMPARE(desktop_->opened[0].toString(), home);
    QCOMPARE(widget->isChecked(), before);
    QCOMPARE(control->ReadChecked(), before);
  }

  void doubleClickWithoutSelectionOpensNothing() {
    Controls().超级列表框1.AppendRow(Row("1", "A", "10", "http://item.market.example/i?id=1"));
    auto* view = Widget<QTableView>(*window_, QStringLiteral("超级列表框1"));
    QTRY_COMPARE(view->model()->rowCount(), 1);
    // Below the last row: nothing gets selected, nothing opens.
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(50, 150));
    QCOMPARE(Controls().超级列表框1.SelectedRow(), -1);
    QVERIFY(desktop_->opened.empty());
  }

  void doubleClickOpensOnlyWebAddresses_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("opens");
    const QString main = QStringLiteral("超级列表框1");
    const QString search = QStringLiteral("超级列表框2");
    QTest::newRow("http") << main << "http://item.market.example/item.htm?id=7" << true;
    QTest::newRow("https") << main << "https://item.market.example/item.htm?id=7" << true;
    QTest::newRow("search list") << search << "http://item.market.example/item.htm?id=8" << true;
    QTest::newRow("empty") << main << "" << false;
    QTest::newRow("relative") << main << "/d/jiu/all/1" << false;
    QTest::newRow("no scheme") << main << "item.market.example/item.htm" << false;
    QTest::newRow("file") << main << "file:///etc/passwd" << false;
    QTest::newRow("javascript") << main << "javascript:alert(1)" << false;
    QTest::newRow("local path") << main << "/usr/bin/xterm" << false;
    QTest::newRow("shell text") << main << "http://a.example/;rm -rf ~" << false;
  }

  void doubleClickOpensOnlyWebAddresses() {
    QFETCH(QString, list);
    QFETCH(QString, address);
    QFETCH(bool, opens);
    ReportList& control =
        list == QStringLiteral("超级列表框1") ? Controls().超级列表框1 : Controls().超级列表框2;
    control.SetVisible(true);
    control.AppendRow(Row("1", "first", "10", "http://item.market.example/other"));
    control.AppendRow(Cells{"2", "second", "", "20", "", "", ToGbk(address)});
    auto* view = Widget<QTableView>(*window_, list);
    QTRY_COMPARE(view->model()->rowCount(), 2);
    QTRY_VERIFY(view->isVisible());
    const QPoint second = view->visualRect(view->model()->index(1, 1)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(control.SelectedRow(), 1);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, second);
    if (opens) {
      QCOMPARE(desktop_->opened.size(), std::size_t{1});
      QCOMPARE(desktop_->opened[0].toString(), address);
    } else {
      QVERIFY(desktop_->opened.empty());
    }
  }

  void openableUrl_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("openable");
    QTest::newRow("upper-case scheme") << "HTTP://item.market.example/x" << true;
    QTest::newRow("port and query") << "http://item.market.example:8080/i?id=1&a=b" << true;
    QTest::newRow("no host") << "http:///x" << false;
    QTest::newRow("scheme only") << "http:" << false;
    QTest::newRow("ftp") << "ftp://item.market.example/x" << false;
    QTest::newRow("data") << "data:text/html,<b>x</b>" << false;
    QTest::newRow("space inside") << "http://item.market.example/a b" << false;
    QTest::newRow("protocol-relative") << "//item.market.example/x" << false;
  }

  void openableUrl() {
    QFETCH(QString, address);
    QFETCH(bool, openable);
    QCOMPARE(OpenableUrl(ToGbk(address)).isValid(), openable);
  }

  void headerClickSortsThroughTheControls() {
    ReportList& list = Controls().超级列表框1;
    list.AppendRow(Row("1", "A", "29", "http://item.market.example/a"));
    list.AppendRow(Row("2", "B", "9.9", "http://item.market.example/b"));
    list.AppendRow(Row("3", "C", "19.9", "http://item.market.example/c"));
    auto* view = Widget<QTableView>(*window_, QStringLiteral("超级列表框1"));
    QTRY_COMPARE(view->model()->rowCount(), 3);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(0, 1)).center());
    QCOMPARE(list.SelectedRow(), 0);
    QHeaderView* header = view->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(3) + 20, header->height() / 2));
    auto price = [view](int row) { return view->model()->index(row, 3).data().toString(); };
    QTRY_COMPARE(price(0), QStringLiteral("9.9"));
    QCOMPARE(price(1), QStringLiteral("19.9"));
    QCOMPARE(price(2), QStringLiteral("29"));
    // The selection travels with its row, in the view and in the control.
    QCOMPARE(list.SelectedRow(), 2);
    QCOMPARE(view->selectionModel()->selectedRows().value(0).row(), 2);
  }

  void addressColumnCanBeWidened() {
    auto* view = Widget<QTableView>(*window_, QStringLiteral("超级列表框1"));
    QHeaderView* header = view->horizontalHeader();
    QCOMPARE(header->sectionSize(6), 0);
    const int edge = header->sectionViewportPosition(6);
    const int y = header->height() / 2;
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(edge + 80, y),
                     header->viewport()->mapToGlobal(QPointF(edge + 80, y)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &move);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 80, y));
    QCOMPARE(header->sectionSize(6), 80);
    QCOMPARE(header->sectionSize(5), 62);
  }

  void enterInKeywordBoxStartsSearch() {
    ReportList& main = Controls().超级列表框1;
    main.AppendRow(Row("1", "红色连衣裙", "29", "http://item.market.example/a"));
    main.AppendRow(Row("2", "蓝色衬衫", "9.9", "http://item.market.example/b"));
    main.AppendRow(Row("3", "红色围巾", "19.9", "http://item.market.example/c"));
    auto* keyword = Widget<QLineEdit>(*window_, QStringLiteral("编辑框2"));
    QSignalSpy returns(keyword, &QLineEdit::returnPressed);
    Type(keyword, QStringLiteral("红色"));
    QTest::keyClick(keyword, Qt::Key_Return);
    auto* search = Widget<QTableView>(*window_, QStringLiteral("超级列表框2"));
    QTRY_VERIFY(search->isVisible());
    QTRY_COMPARE(search->model()->rowCount(), 2);
    QCOMPARE(search->model()->index(1, 1).data().toString(), QStringLiteral("红色围巾"));
    QCOMPARE(Widget<QPushButton>(*window_, QStringLiteral("搜索按钮"))->text(),
             QStringLiteral("还原"));
    // The key still reached the box.
    QCOMPARE(returns.count(), 1);
    QCOMPARE(keyword->text(), QStringLiteral("红色"));
    // The button restores the main list.
    QTest::mouseClick(Widget<QPushButton>(*window_, QStringLiteral("搜索按钮")), Qt::LeftButton);
    QTRY_VERIFY(!search->isVisible());
    QCOMPARE(Widget<QPushButton>(*window_, QStringLiteral("搜索按钮"))->text(),
             QStringLiteral("搜索"));
    AwaitSearches();
  }

  void aboutLabelShowsAuthorBox() {
    QTest::mousePress(Widget<QLabel>(*window_, QStringLiteral("标签1")), Qt::LeftButton);
    QCOMPARE(desktop_->boxes.size(), std::size_t{1});
    QVERIFY2(desktop_->boxes[0].title == "联系作者", Printable(desktop_->boxes[0].title));
    QVERIFY2(desktop_->boxes[0].text == "By Tarquel\r\nQQ：000000000",
             Printable(desktop_->boxes[0].text));
  }

  void userTextInLogStaysBeforeLaterEntries() {
    auto* log = Widget<QPlainTextEdit>(*window_, QStringLiteral("编辑框1"));
    ActivityLog("第一条");
    QTRY_VERIFY(log->toPlainText().endsWith(QStringLiteral("第一条")));
    log->moveCursor(QTextCursor::End);
    Type(log, QStringLiteral(" 备注"));
    QVERIFY(Controls().编辑框1.Content().ends_with(" 备注"));
    ActivityLog("第二条");
    QTRY_VERIFY(log->toPlainText().endsWith(QStringLiteral("第二条")));
    const Text content = Controls().编辑框1.Content();
    QVERIFY2(content.find(" 备注\r\n[") != Text::npos, Printable(content).constData());
    QCOMPARE(log->toPlainText(),
             FromGbk(content).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  }

  void userEditWhileEntriesArriveLosesNothing() {
    auto* log = Widget<QPlainTextEdit>(*window_, QStringLiteral("编辑框1"));
    ActivityLog("甲");
    QTRY_VERIFY(log->toPlainText().endsWith(QStringLiteral("甲")));
    // An entry is appended to the control but not yet shown when the user types.
    ActivityLog("乙");
    log->moveCursor(QTextCursor::Start);
    Type(log, QStringLiteral("注"));
    QTRY_VERIFY(log->toPlainText().endsWith(QStringLiteral("乙")));
    const Text content = Controls().编辑框1.Content();
    QVERIFY2(content.starts_with("注\r\n[") && content.ends_with("]乙"),
             Printable(content).constData());
    QCOMPARE(log->toPlainText(),
             FromGbk(content).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  }

 private:
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<DesktopRecorder> desktop_;
};

QTEST_MAIN(WindowInputTest)
#include "window_input_test.moc"
