#pragma once
// What a backend does for a form: the window behind it. The form and its controls call it
// when a property changes from code.

#include <cstdint>
#include <memory>
#include <string>

class Control;
class Form;

enum class ControlProp { Text, Enabled, ListIndex, Value, Selection, Focus, Repaint };
enum class FormProp { Caption, Position, State, Menus };

class FormPeer {
public:
    virtual ~FormPeer() = default;
    // The window and its controls, hidden. False when the system could not create them all;
    // what was created goes with Destroy.
    virtual bool Create() = 0;
    virtual void Destroy() = 0;
    virtual void Sync(Control& control, ControlProp what) = 0;
    // Puts the items of a list into its window. False when the window refused one: it then
    // holds none, rather than lines that stand for other items.
    virtual bool FillList(Control& list) = 0;
    virtual void SyncForm(FormProp what) = 0;
    virtual void Show() = 0;
    virtual void RunModal() = 0;  // returns when the form has been unloaded
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    // The outer size of the window in twips, frame and menu included.
    virtual int OuterWidth() const = 0;
    virtual int OuterHeight() const = 0;
    virtual std::uintptr_t NativeHandle() const = 0;
};

// Provided by the backend that the program or the test links.
std::unique_ptr<FormPeer> MakeFormPeer(Form& form);
// Shows a message box and returns the answer; the title is never empty here.
int ShowMessageBox(const std::wstring& prompt, int style, const std::wstring& title);
// Brings the message box that is up to the front, where it takes the keyboard.
void BringUpMessageBox();
// The reason every window of the program gives for holding up the end of the session; an
// empty one takes it away.
void SetEndSessionReason(const std::wstring& reason);
