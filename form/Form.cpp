#include "form/Form.h"

#include "runtime/Error.h"

#include <algorithm>

namespace form {

ListBox::ListBox(Form& owner, std::string_view name) : m_name(name) { owner.m_listBoxes.push_back(this); }

ListBoxView& ListBox::view() const {
    if (!m_view)
        runtime::raise(runtime::ErrorKind::FailedCall, runtime::en(m_name, " is not shown on a window"),
                       runtime::ja("リストボックス ", m_name, " はウィンドウに表示されていません"));
    return *m_view;
}

void ListBox::Clear() { view().clear(); }

void ListBox::AddItem(std::u16string_view item) { view().append(item); }

ListBox* Form::listBox(std::string_view name) const noexcept {
    auto const found = std::find_if(m_listBoxes.begin(), m_listBoxes.end(),
                                    [&](ListBox const* box) { return box->name() == name; });
    return found == m_listBoxes.end() ? nullptr : *found;
}

} // namespace form
