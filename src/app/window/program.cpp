#include "app/window/program.h"

#include <QApplication>
#include <future>
#include <memory>
#include <thread>

#include "app/controls/activity_log.h"
#include "app/controls/change_journal.h"
#include "app/window/desktop_actions.h"
#include "app/window/gui_thread.h"
#include "app/window/main_window.h"
#include "app/window/window_look.h"
#include "text/hosts.h"
#include "text/text_numbers.h"
#include "text/web_request.h"

namespace {
Text& Version() {
  static Text* version = new Text;  // never destroyed: the update thread may outlive main
  return *version;
}
}  // namespace

const Text& CurrentVersion() { return Version(); }

Text VersionEndpoint() { return Text("http://") + hosts::kMaker + "/soft/renew/quelmar.php"; }

Text UpdateNoticeTitle() { return "版本有更新"; }

Text UpdateNoticeText() {
  return Text("版本有更新!请至") + "http://" + hosts::kMaker + "/soft/" + "获取最新版本" + "\r\n" +
         "或者至" + hosts::kMirrorSite + "获取新版本" + "\r\n";
}

void MainWindowReady(MainWindow&) {
  Version() = "1.20";
  std::thread(UpdateNotice).detach();
  ActivityLogStart("启动软件");
}

void UpdateNotice() {
  const double latest = TextToNumber(WebRequest(VersionEndpoint()));
  const double current = TextToNumber(CurrentVersion());
  if (!(latest - current > 0.0000001)) return;
  // The box belongs to the GUI thread; this thread waits for its dismissal without holding
  // anything the window needs.
  auto dismissed = std::make_shared<std::promise<void>>();
  std::future<void> done = dismissed->get_future();
  const bool posted = PostToGui([dismissed] {
    ShowModelessMessage(MainWindow::Current(), UpdateNoticeTitle(), UpdateNoticeText(),
                        [dismissed] { dismissed->set_value(); });
  });
  if (posted) done.wait();
}

int RunProgram(int argc, char** argv) {
  QApplication app(argc, argv);
  ApplyWindowLook(app);
  {
    MainWindow window;
    window.onClosed = [] { QCoreApplication::quit(); };
    MainWindowReady(window);
    window.show();
    app.exec();
  }
  return 0;
}
