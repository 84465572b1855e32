#include "ui/start/Frm_Start.h"

Frm_Start::Frm_Start() {
    form_.border = Border::None;
    form_.showInTaskbar = false;
    form_.startPosition = StartPosition::CenterScreen;
    Shape1.backColor = Rgb(192, 192, 255);
    for (Control* label : {&Label1, &Label2, &Lbl_SyMsg, &Label3}) label->transparent = true;
    Label1.align = Lbl_SyMsg.align = Align::Center;
    Label2.align = Label3.align = Align::Right;
    Label1.font = Font{L"ＭＳ Ｐ明朝", 12, true};
    Label2.font = Lbl_SyMsg.font = Font{L"ＭＳ Ｐ明朝", 9, false};
}

void Frm_Start::ShowProgress(const std::wstring& text) {
    Lbl_SyMsg.SetText(text);
    Lbl_SyMsg.Refresh();
}
