// The small operations that belong to the window alone: opening pages, stepping the limits,
// the author box. They work on the controls and the desktop actions, never on widgets, except
// the price spinner, which is the box's own business.
#pragma once

#include "app/controls/controls.h"

class QLineEdit;
class QWidget;

// OpenChannelHome: opens "http://" + the channel's host + "/" (channel 0 to 3 in run order:
// 九块邮, 聚划算, 卷皮折扣, 天天特价). OpenChannelHome(2) opens
// http://discountshop.market.example/.
void OpenChannelHome(int channel);

// OpenSelectedItem: opens column 6 of the list's selected row; nothing when no row is selected.
// Only http and https addresses reach the browser (OpenAddress).
void OpenSelectedItem(ReportList& list);

// StepDiscountLimit: step is +1 or -1. v = TextToNumber of 折扣编辑框's text; below 0.1 by more
// than 1e-7 the box gets "0.1", otherwise RealToText(v + step / 10). 2.1 up gives 2.2.
void StepDiscountLimit(int step);

// StepPriceLimit: the integer spinner of 价格编辑框: TextToInt of its text plus step, wrapping
// within 0 to 600 (600 up gives 0, 0 down gives 600); the new value is selected and focused.
void StepPriceLimit(QLineEdit& box, int step);

// PriceLimitAfterEditing: the text 价格编辑框 gets when it loses the focus: its leading integer
// (clamped to 32 bits) in decimal, 0 and a text without digits giving the empty text.
// PriceLimitAfterEditing("0050") is "50".
Text PriceLimitAfterEditing(std::string_view text);

// The author's contact number shown by ShowAuthorContact: a placeholder that belongs to nobody.
inline constexpr const char* kAuthorContact = "000000000";

// ShowAuthorContact: the box "联系作者" with "By Tarquel", CR LF, "QQ：" and the contact number;
// returns when it has been dismissed.
void ShowAuthorContact(QWidget* parent);
