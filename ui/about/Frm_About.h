#pragma once
// The About box.

#include "ui/toolkit/Form.h"

class Frm_About {
public:
    Frm_About();
    Form& form() { return form_; }

    static constexpr int kPictureResource = 2;
    static inline const std::wstring kMaker = L"Zelkor Project";

private:
    Form form_{L"Frm_About", L"Zelkor盛合わせについて", 4680, 3225};
    Control& Frame1 = form_.Add(ControlKind::Frame, L"Frame1", {0, 0, 4635, 2715});
    Control& Shape1 =
        form_.Add(ControlKind::Shape, L"Shape1", {60, 120, 4515, 2535}, L"", -1, &Frame1);
    Control& Picture1 =
        form_.Add(ControlKind::Picture, L"Picture1", {240, 840, 2310, 1680}, L"", -1, &Frame1);
    Control& Label1 = form_.Add(ControlKind::Label, L"Label1", {240, 240, 4155, 375},
                                L"Zelkor盛合わせ", -1, &Frame1);
    Control& Label2 =
        form_.Add(ControlKind::Label, L"Label2", {2760, 600, 1095, 195}, L"Ver1.0β", -1, &Frame1);
    Control& Label3 = form_.Add(
        ControlKind::Label, L"Label3", {2760, 1200, 1695, 795},
        L"このソフトを使用してＰＣが破壊されても当方は一切責任を負いません。", -1, &Frame1);
    Control& Label4 =
        form_.Add(ControlKind::Label, L"Label4", {2520, 2400, 1935, 195}, kMaker, -1, &Frame1);
    Control& Command1 =
        form_.Add(ControlKind::Button, L"Command1", {1320, 2760, 1995, 435}, L"閉じる");
};
