#include "ui/Control.h"

#include "ui/Form.h"

namespace ui {

Control::Control(Form& owner, const ControlRow& row)
    : owner_(owner), name_(row.name), tabIndex_(row.tabIndex) {
    view_.kind = row.kind;
    view_.caption = row.caption;
    view_.left = row.left;
    view_.top = row.top;
    view_.width = row.width;
    view_.height = row.height;
    view_.tooltip = row.tooltip;
    view_.isDefault = (row.flags & flag::Default) != 0;
    view_.isCancel = (row.flags & flag::Cancel) != 0;
    view_.visible = (row.flags & flag::Hidden) == 0;
    view_.enabled = (row.flags & flag::Disabled) == 0;
    view_.bold = (row.flags & flag::Bold) != 0;
    view_.multiLine = (row.flags & flag::MultiLine) != 0;
    view_.heading = (row.flags & flag::Heading) != 0;
    view_.readOnly = (row.flags & flag::ReadOnly) != 0;
    view_.value = (row.flags & flag::Checked) != 0 ? 1 : 0;
    view_.color = row.color;
    owner_.Register(*this);
}

void Control::Changed() { owner_.Changed(*this); }

void Control::SetCaption(std::string caption) {
    if (view_.caption == caption) return;
    view_.caption = std::move(caption);
    Changed();
}

void Control::SetLeft(int left) {
    if (view_.left == left) return;
    view_.left = left;
    Changed();
}

void Control::SetTop(int top) {
    if (view_.top == top) return;
    view_.top = top;
    Changed();
}

void Control::SetWidth(int width) {
    if (view_.width == width) return;
    view_.width = width < 0 ? 0 : width;
    Changed();
}

void Control::SetHeight(int height) {
    if (view_.height == height) return;
    view_.height = height < 0 ? 0 : height;
    Changed();
}

void Control::SetVisible(bool visible) {
    if (view_.visible == visible) return;
    view_.visible = visible;
    Changed();
}

void Control::SetEnabled(bool enabled) {
    if (view_.enabled == enabled) return;
    view_.enabled = enabled;
    Changed();
}

void Control::SetBold(bool bold) {
    if (view_.bold == bold) return;
    view_.bold = bold;
    Changed();
}

void Control::SetToolTipText(std::string tooltip) {
    if (view_.tooltip == tooltip) return;
    view_.tooltip = std::move(tooltip);
    Changed();
}

void Control::SetValue(int value) {
    value = value != 0 ? 1 : 0;
    if (view_.value == value) return;
    view_.value = value;
    if (Kind() == ControlKind::Option && value == 1 && array_ != nullptr) {
        // Only one option of a group is selected.
        for (auto& sibling : array_->controls_) {
            if (sibling.get() == this || sibling->Kind() != ControlKind::Option) continue;
            if (sibling->view_.value != 0) {
                sibling->view_.value = 0;
                sibling->Changed();
            }
        }
    }
    Changed();
    // An option that is cleared runs no logic of its own; its group's new
    // selection does.
    if (Kind() == ControlKind::Option && value == 0) return;
    RunClickLogic();
}

void Control::AddItem(std::string text, long data) {
    view_.items.push_back({std::move(text), data, false});
    Changed();
}

void Control::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) return;
    view_.items.erase(view_.items.begin() + index);
    Changed();
}

std::string Control::List(int index) const {
    if (index < 0 || index >= ListCount()) return {};
    return view_.items[static_cast<std::size_t>(index)].text;
}

long Control::ItemData(int index) const {
    if (index < 0 || index >= ListCount()) return 0;
    return view_.items[static_cast<std::size_t>(index)].data;
}

bool Control::Selected(int index) const {
    if (index < 0 || index >= ListCount()) return false;
    return view_.items[static_cast<std::size_t>(index)].selected;
}

void Control::SetSelected(int index, bool selected) {
    if (index < 0 || index >= ListCount()) return;
    auto& item = view_.items[static_cast<std::size_t>(index)];
    if (item.selected == selected) return;
    item.selected = selected;
    Changed();
}

void Control::SetPicture(std::string resourceName) {
    if (view_.picture == resourceName) return;
    view_.picture = std::move(resourceName);
    Changed();
}

void Control::SetMouseIcon(std::string cursorResource) {
    if (view_.cursor == cursorResource) return;
    view_.cursor = std::move(cursorResource);
    Changed();
}

void Control::SetFocus() { owner_.FocusControl(*this); }

void Control::Click() {
    if (!view_.visible || !view_.enabled) return;
    switch (Kind()) {
        case ControlKind::CheckBox:
            SetValue(view_.value != 0 ? 0 : 1);
            break;
        case ControlKind::Option:
            SetValue(1);
            break;
        default:
            RunClickLogic();
            break;
    }
}

void Control::RunClickLogic() {
    if (array_ != nullptr) {
        if (array_->onClick) array_->onClick(index_);
    } else if (onClick) {
        onClick();
    }
}

void Control::TakeUserText(const std::string& text) {
    view_.caption = text;
    RunClickLogic();
}

void Control::TakeUserSelection(const std::vector<bool>& selected) {
    for (std::size_t i = 0; i < selected.size() && i < view_.items.size(); ++i) {
        view_.items[i].selected = selected[i];
    }
    RunClickLogic();
}

ControlArray::ControlArray(Form& owner, std::initializer_list<ControlRow> rows, int firstIndex)
    : firstIndex_(firstIndex) {
    int index = firstIndex;
    for (const ControlRow& row : rows) {
        auto control = std::make_unique<Control>(owner, row);
        control->array_ = this;
        control->index_ = index;
        control->view_.startsGroup = index == firstIndex;
        controls_.push_back(std::move(control));
        ++index;
    }
}

}  // namespace ui
