#include "ui/about/Frm_About.h"

Frm_About::Frm_About() {
    form_.border = Border::FixedDialog;
    form_.showInTaskbar = false;
    form_.startPosition = StartPosition::CenterScreen;
    Frame1.tabIndex = 0;
    Command1.tabIndex = 1;
    Label1.tabIndex = 2;
    Label2.tabIndex = 3;
    Label3.tabIndex = 4;
    Label4.tabIndex = 5;
    Picture1.tabIndex = 6;
    Shape1.backColor = Rgb(192, 192, 255);
    Picture1.pictureResource = kPictureResource;
    for (Control* label : {&Label1, &Label2, &Label3, &Label4}) label->transparent = true;
    Label1.align = Align::Center;
    Label2.align = Label4.align = Align::Right;
    Label1.font = Font{L"ＭＳ Ｐ明朝", 14.25, true};
    Label3.font = Font{L"ＭＳ Ｐ明朝", 9, false};
    Command1.Click = [this] { form_.Unload(); };
}
