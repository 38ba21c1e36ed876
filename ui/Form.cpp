#include "ui/Form.h"

#include <algorithm>
#include <utility>

#include "platform/Platform.h"

namespace ui {
namespace {

// The forms of the program: those loaded, those the program owns, and those
// unloaded but perhaps still running a handler further up the stack.
struct FormRegistry {
    std::vector<Form*> loaded;
    std::vector<std::unique_ptr<Form>> owned;
    std::vector<std::unique_ptr<Form>> unloaded;
};

bool windowsHidden = false;

FormRegistry& Registry() {
    static FormRegistry registry;
    return registry;
}

void Forget(std::vector<Form*>& list, const Form* form) {
    list.erase(std::remove(list.begin(), list.end(), form), list.end());
}

// Moves an owned form to the unloaded ones, to be deleted once no handler of
// it can be running any more.
void Retire(const Form* form) {
    auto& owned = Registry().owned;
    auto found = std::find_if(owned.begin(), owned.end(),
                              [form](const std::unique_ptr<Form>& f) { return f.get() == form; });
    if (found == owned.end()) return;
    Registry().unloaded.push_back(std::move(*found));
    owned.erase(found);
}

}  // namespace

Timer::Timer(Form& owner) : owner_(owner) { id_ = owner_.Register(*this); }

void Timer::SetInterval(unsigned milliseconds) {
    if (interval_ == milliseconds) return;
    interval_ = milliseconds;
    owner_.TimerChanged(*this);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    owner_.TimerChanged(*this);
}

void Timer::Tick() {
    if (onTimer) onTimer();
}

Form::Form(std::string caption, int clientWidth, int clientHeight, std::string name)
    : name_(std::move(name)),
      caption_(std::move(caption)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight) {}

Form::~Form() {
    Forget(Registry().loaded, this);
    if (window_) window_->Destroy();
}

void Form::Register(Control& control) { controls_.push_back(&control); }

int Form::Register(Timer& timer) {
    timers_.push_back(&timer);
    return static_cast<int>(timers_.size());
}

void Form::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    if (window_) window_->SetCaption(caption_);
}

int Form::Left() const { return window_ ? window_->OuterRect().left : left_; }
int Form::Top() const { return window_ ? window_->OuterRect().top : top_; }
int Form::Width() const { return window_ ? window_->OuterRect().width : clientWidth_; }
int Form::Height() const { return window_ ? window_->OuterRect().height : clientHeight_; }

void Form::Move(int left, int top) {
    left_ = left;
    top_ = top;
    if (window_) window_->MoveTo(left, top);
}

void Form::Changed(const Control& control) {
    if (window_) window_->UpdateControl(control.windowIndex_, control.view_);
}

void Form::TimerChanged(const Timer& timer) {
    // A window made ahead keeps still until its form loads.
    if (window_ && loaded_) window_->SetTimer(timer.id_, timer.Running() ? timer.interval_ : 0);
}

void Form::FocusControl(const Control& control) {
    if (window_) window_->FocusControl(control.windowIndex_);
}

Control* Form::AtWindowIndex(std::size_t index) const {
    return index < order_.size() ? order_[index] : nullptr;
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    Registry().loaded.push_back(this);
    // A form loaded again after an unload gets a new window.
    if (!std::exchange(windowMadeAhead_, false)) MakeWindow();
    for (const Timer* timer : timers_) TimerChanged(*timer);
    OnLoad();
}

void Form::CreateWindowAhead() {
    if (loaded_ || windowMadeAhead_) return;
    MakeWindow();
    windowMadeAhead_ = window_ != nullptr;
}

void Form::MakeWindow() {
    order_ = controls_;
    std::stable_sort(order_.begin(), order_.end(), [](const Control* a, const Control* b) {
        return a->tabIndex_ < b->tabIndex_;
    });
    platform::gui::WindowView view;
    view.caption = caption_;
    view.left = left_;
    view.top = top_;
    view.clientWidth = clientWidth_;
    view.clientHeight = clientHeight_;
    view.hasCloseBox = hasCloseBox_;
    for (std::size_t i = 0; i < order_.size(); ++i) {
        order_[i]->windowIndex_ = i;
        view.controls.push_back(order_[i]->view_);
    }
    window_ = platform::Current().CreatePageWindow(view, *this);
}

void Form::Show() {
    Load();
    if (!loaded_) return;  // the load handler unloaded the form again
    if (!window_) {
        // A form that cannot be seen could never be closed: better none.
        windowFailed_ = true;
        Unload();
        return;
    }
    const bool first = !shown_;
    shown_ = true;
    if (!windowsHidden) window_->Show();
    if (first) OnShown();
}

void Form::ShowModal() {
    std::vector<Form*> others;
    for (Form* form : Registry().loaded) {
        if (form != this && form->window_) others.push_back(form);
    }
    for (Form* form : others) form->window_->SetEnabled(false);
    Show();
    auto& system = platform::Current();
    while (loaded_ && system.HandleNextEvent()) {
    }
    const auto& loaded = Registry().loaded;
    for (Form* form : others) {
        // Only those still loaded: a handler may have unloaded one meanwhile.
        if (std::find(loaded.begin(), loaded.end(), form) != loaded.end()) {
            form->window_->SetEnabled(true);
        }
    }
}

void Form::Unload() {
    if (!loaded_) return;
    OnUnload();
    loaded_ = false;
    shown_ = false;
    Forget(Registry().loaded, this);
    if (window_) window_->Destroy();
    Retire(this);
}

void Form::OnClicked(std::size_t control) {
    if (Control* target = AtWindowIndex(control)) target->Click();
}

void Form::OnTextEdited(std::size_t control, const std::string& text) {
    if (Control* target = AtWindowIndex(control)) target->TakeUserText(text);
}

void Form::OnSelectionChanged(std::size_t control, const std::vector<bool>& selected) {
    if (Control* target = AtWindowIndex(control)) target->TakeUserSelection(selected);
}

void Form::OnCloseRequested() { OnCloseBox(); }

bool Form::OnKeyDown(std::size_t control, int keyCode, int shift) {
    if (OnKeyPreview(keyCode, shift)) return true;
    Control* target = AtWindowIndex(control);
    return target != nullptr && target->onKeyDown && target->Visible() && target->Enabled() &&
           target->onKeyDown(keyCode, shift);
}

void Form::OnTimer(int timerId) {
    if (timerId >= 1 && timerId <= static_cast<int>(timers_.size())) {
        timers_[static_cast<std::size_t>(timerId - 1)]->Tick();
    }
}

void KeepWindowsHidden(bool hidden) { windowsHidden = hidden; }

Form& Prepare(std::unique_ptr<Form> form) {
    Form& prepared = *form;
    Registry().owned.push_back(std::move(form));
    return prepared;
}

std::vector<Form*> PreparedForms() {
    // Owned forms leave that list when they unload; the loaded ones are on
    // the screen, so the others are still to come.
    std::vector<Form*> prepared;
    for (const auto& form : Registry().owned) {
        if (!form->IsLoaded()) prepared.push_back(form.get());
    }
    return prepared;
}

void Discard(Form& prepared) {
    if (!prepared.IsLoaded()) Retire(&prepared);
}

void MakeWindowsAhead() {
    for (Form* form : PreparedForms()) form->CreateWindowAhead();
}

Form& ShowModeless(std::unique_ptr<Form> form) {
    Form& shown = *form;
    Registry().owned.push_back(std::move(form));
    shown.Show();
    return shown;
}

bool AnyFormLoaded() { return !Registry().loaded.empty(); }

std::vector<Form*> LoadedForms() { return Registry().loaded; }

void RunMessageLoop() {
    auto& system = platform::Current();
    while (AnyFormLoaded()) {
        if (!system.HandleNextEvent()) break;
        // Back at the top: no handler of an unloaded form is running now.
        Registry().unloaded.clear();
    }
    Registry().unloaded.clear();
}

void DiscardAllForms() {
    FormRegistry& registry = Registry();
    auto owned = std::move(registry.owned);
    auto unloaded = std::move(registry.unloaded);
    registry.owned.clear();
    registry.unloaded.clear();
    registry.loaded.clear();
    owned.clear();
    unloaded.clear();
}

}  // namespace ui
