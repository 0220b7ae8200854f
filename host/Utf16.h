#pragma once

#include <QString>
#include <QStringView>

#include <string_view>

namespace host {

// The form's texts are UTF-16, as Qt's are: each way is a view or one copy, no conversion.
inline QString toQString(std::u16string_view text) {
    return QStringView(text.data(), qsizetype(text.size())).toString();
}

// Valid while the QString lives and is not changed.
inline std::u16string_view toU16(QString const& text) {
    return std::u16string_view(reinterpret_cast<char16_t const*>(text.utf16()),
                               static_cast<std::size_t>(text.size()));
}

} // namespace host
