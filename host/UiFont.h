#pragma once

namespace host {

// Makes the application font a proportional Japanese gothic at 9 points, so that kanji, kana, digits
// and Latin letters share one face under every locale: Noto Sans CJK JP where it is installed, else
// IPA P Gothic. A fixed-pitch face is never chosen; without either, the platform's font stays.
void useJapaneseUiFont();

} // namespace host
