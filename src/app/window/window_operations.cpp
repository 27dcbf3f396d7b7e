#include "app/window/window_operations.h"

#include <QLineEdit>

#include "app/window/desktop_actions.h"
#include "app/window/qt_text.h"
#include "deals/deal_run.h"
#include "text/text_numbers.h"

void OpenChannelHome(int channel) {
  if (channel < 0 || channel >= static_cast<int>(DealChannels().size())) return;
  OpenAddress(Text("http://") + DealChannels()[channel].host + "/");
}

void OpenSelectedItem(ReportList& list) {
  const int row = list.SelectedRow();
  if (row == -1) return;
  OpenAddress(list.GetCell(row, 6));
}

void StepDiscountLimit(int step) {
  EditBox& box = Controls().折扣编辑框;
  const double value = TextToNumber(box.ReadText());
  if (value - 0.1 < -0.0000001) {
    box.WriteText("0.1");
  } else {
    box.WriteText(RealToText(value + step / 10.0));
  }
}

void StepPriceLimit(QLineEdit& box, int step) {
  long long value = static_cast<long long>(TextToInt(ToGbk(box.text()))) + step;
  if (value > 600) {
    value = 0;
  } else if (value < 0) {
    value = 600;
  }
  box.setText(QString::number(value));
  box.selectAll();
  box.setFocus(Qt::OtherFocusReason);
}

Text PriceLimitAfterEditing(std::string_view text) {
  const int value = TextToInt(text);
  return value == 0 ? Text() : IntToText(value);
}

void ShowAuthorContact(QWidget* parent) {
  ShowModalMessage(parent, "联系作者", Text("By Tarquel\r\nQQ：") + kAuthorContact);
}
