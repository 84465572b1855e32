#pragma once
// The splash window shown while the program starts.

#include "ui/toolkit/Form.h"

class Frm_Start {
public:
    Frm_Start();
    Form& form() { return form_; }
    // Shows a progress text and paints it at once.
    void ShowProgress(const std::wstring& text);

    static inline const std::wstring kMaker = L"Produced by Zelkor Project";

private:
    Form form_{L"Frm_Start", L"Form1", 3435, 1635};
    Control& Shape1 = form_.Add(ControlKind::Shape, L"Shape1", {0, 0, 3435, 1635});
    Control& Label1 =
        form_.Add(ControlKind::Label, L"Label1", {120, 240, 3135, 255}, L"Zelkor盛合わせ");
    Control& Label2 = form_.Add(ControlKind::Label, L"Label2", {2160, 480, 1095, 195}, L"Ver 0.5β");
    Control& Lbl_SyMsg = form_.Add(ControlKind::Label, L"Lbl_SyMsg", {240, 840, 2895, 195},
                                   L"処理中...[XXXXXXXXXXXXXXXX]");
    Control& Label3 = form_.Add(ControlKind::Label, L"Label3", {300, 1440, 3075, 195}, kMaker);
};
