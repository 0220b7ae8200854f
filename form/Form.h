#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace form {

enum class ControlKind { CommandButton, ListBox };

// Index of a control that is not part of a control array.
inline constexpr int kNoIndex = -1;

// One control of a stored form layout. Positions and sizes are in twips, relative to the
// client area; tabOrder 0 comes first. What a screen reader says of the control: its accessible
// name (a button's caption when none is given) and a description of what it does.
struct ControlLayout {
    ControlKind kind;
    std::string_view name;
    int index;
    std::u16string_view caption;
    int left;
    int top;
    int width;
    int height;
    int tabOrder;
    std::u16string_view accessibleName = {};
    std::u16string_view accessibleDescription = {};
};

// A form's stored layout: caption, client-area origin and size in twips, and its controls.
struct FormLayout {
    std::u16string_view caption;
    int left;
    int top;
    int width;
    int height;
    std::span<ControlLayout const> controls;
};

// What a window toolkit offers a list box: the host supplies one per list box it shows.
class ListBoxView {
public:
    virtual ~ListBoxView() = default;
    virtual void clear() = 0;
    virtual void append(std::u16string_view line) = 0;
};

class Form;

// A list box as the form's own member. It forwards to the view that the host binds to it; a call
// while it is shown on no window raises the failed-call error.
class ListBox {
public:
    ListBox(Form& owner, std::string_view name);
    ListBox(ListBox const&) = delete;
    ListBox& operator=(ListBox const&) = delete;

    void Clear();
    // Appends the line after the last one; the list does not sort.
    void AddItem(std::u16string_view item);

    std::string_view name() const noexcept { return m_name; }
    void bind(ListBoxView* view) noexcept { m_view = view; }
    // Unbinds the list box if it is still bound to view, and only then.
    void unbind(ListBoxView const* view) noexcept {
        if (m_view == view)
            m_view = nullptr;
    }

private:
    ListBoxView& view() const;

    std::string_view m_name;
    ListBoxView* m_view = nullptr;
};

// A form: its stored layout and its one handler, called with the index of the pressed button of
// the Command1 array. The handler catches no error; the host reports what leaves it.
class Form {
public:
    Form() = default;
    Form(Form const&) = delete;
    Form& operator=(Form const&) = delete;
    virtual ~Form() = default;

    virtual FormLayout const& layout() const = 0;
    virtual void Command1_Click(std::int16_t Index) = 0;

    // The list box member of that name, or null.
    ListBox* listBox(std::string_view name) const noexcept;

private:
    friend class ListBox;
    std::vector<ListBox*> m_listBoxes;
};

} // namespace form
