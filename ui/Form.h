// A form: a top-level window described as data. Its controls are members of
// the page class, each built from its designed row; the form creates its
// window through the platform, mirrors every property change to it, and
// routes the user's actions to the controls' handlers.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/PageWindow.h"
#include "ui/Control.h"

namespace ui {

class Form;

// A window timer of a form.
class Timer {
  public:
    explicit Timer(Form& owner);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Running() const { return enabled_ && interval_ > 0; }

    // One tick; the renderer and tests call this.
    void Tick();
    std::function<void()> onTimer;

  private:
    friend class Form;
    Form& owner_;
    int id_ = 0;
    unsigned interval_ = 0;
    bool enabled_ = false;
};

class Form : public platform::gui::WindowEvents {
  public:
    // Client size in twips. The name is the form's designed name ("Install").
    Form(std::string caption, int clientWidth, int clientHeight, std::string name = {});
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    // The outer frame on the screen, in twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void Move(int left, int top);
    void SetLeft(int left) { Move(left, Top()); }
    void SetTop(int top) { Move(Left(), top); }
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }

    // The controls in declaration order.
    const std::vector<Control*>& Controls() const { return controls_; }

    bool IsLoaded() const { return loaded_; }
    // True once Show found no window to be had (and unloaded the form).
    bool WindowFailed() const { return windowFailed_; }
    bool IsShown() const { return shown_; }
    // Creates the hidden window and runs the load handler; once only.
    void Load();
    // Makes the hidden window now, while nothing else is due, so that the
    // load later costs only what its handler changes. A window that cannot
    // be made now is tried again at the load.
    void CreateWindowAhead();
    // Loads when needed and shows the form modeless.
    void Show();
    // Shows the form and handles events until it is unloaded; the other
    // forms take no input meanwhile.
    void ShowModal();
    // Runs the unload handler and closes the window. The object lives on
    // until the event loop is back at its top, so a handler may unload its
    // own form.
    void Unload();

    // The renderer's entry points.
    void OnClicked(std::size_t control) override;
    void OnTextEdited(std::size_t control, const std::string& text) override;
    void OnSelectionChanged(std::size_t control, const std::vector<bool>& selected) override;
    void OnCloseRequested() override;
    bool OnKeyDown(std::size_t control, int keyCode, int shift) override;
    void OnTimer(int timerId) override;
    void OnUserInput() override { OnUserAction(); }

  protected:
    virtual void OnLoad() {}
    virtual void OnUnload() {}
    // The form's window has just appeared for the first time.
    virtual void OnShown() {}
    // The title bar's close box; a plain form unloads.
    virtual void OnCloseBox() { Unload(); }
    // Keys reach the form before its controls; true when handled here.
    virtual bool OnKeyPreview(int /*keyCode*/, int /*shift*/) { return false; }
    // The user pressed a key or a mouse button on the form.
    virtual void OnUserAction() {}
    // Forms that must not be closed from the title bar hide the close box.
    void HideCloseBox() { hasCloseBox_ = false; }

  private:
    friend class Control;
    friend class Timer;
    void Register(Control& control);
    int Register(Timer& timer);
    void Changed(const Control& control);
    void TimerChanged(const Timer& timer);
    void FocusControl(const Control& control);
    Control* AtWindowIndex(std::size_t index) const;
    void MakeWindow();

    std::string name_;
    std::string caption_;
    int clientWidth_, clientHeight_;
    int left_ = -1, top_ = -1;
    bool hasCloseBox_ = true;
    bool loaded_ = false, shown_ = false, windowFailed_ = false;
    bool windowMadeAhead_ = false;    // made before the load, not used yet
    std::vector<Control*> controls_;  // declaration order
    std::vector<Control*> order_;     // window (Tab) order
    std::vector<Timer*> timers_;
    std::unique_ptr<platform::gui::PageWindow> window_;
};

// While set, forms load, run and unload as ever, but their windows never
// appear (a silent run).
void KeepWindowsHidden(bool hidden);

// Takes the form into the program's care without showing it yet; its window
// may be made ahead meanwhile (MakeWindowsAhead).
Form& Prepare(std::unique_ptr<Form> form);
// Makes the windows of the prepared forms that have none yet: work for a
// moment in which the program only waits.
void MakeWindowsAhead();
// The prepared forms still to be shown.
std::vector<Form*> PreparedForms();
// Gives up a prepared form that will not be shown after all.
void Discard(Form& prepared);
// The prepared form of type F still to be shown, if there is one.
template <typename F>
F* FindPrepared() {
    for (Form* form : PreparedForms()) {
        if (auto* prepared = dynamic_cast<F*>(form)) return prepared;
    }
    return nullptr;
}

// Takes the form into the program's care and shows it modeless.
Form& ShowModeless(std::unique_ptr<Form> form);
template <typename F>
F& ShowModeless(std::unique_ptr<F> form) {
    F& shown = *form;
    ShowModeless(std::unique_ptr<Form>(std::move(form)));
    return shown;
}
bool AnyFormLoaded();
// The loaded forms, in the order they were loaded.
std::vector<Form*> LoadedForms();
// Handles window events until no form is loaded any more.
void RunMessageLoop();
// Forgets every form without further events (tests, and the end of a run).
void DiscardAllForms();

}  // namespace ui
