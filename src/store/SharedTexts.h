#pragma once
// The distinct texts of a collection list's repeated values (artist, album, duration, year,
// genre, comment, folder, collection, new flag), each held once and named by a 32-bit number.
// A million songs share some hundred thousand such texts, so a song costs a number per value
// instead of a string. Number 0 is always the null text; every empty text is held as it.
// Texts are never taken out: a list that drops songs keeps their texts until it is cleared.
// Open addressing over (hash, number) slots: a look-up reads one slot and, when the hashes
// agree, the text itself. Not thread-safe; reading from several threads while nothing is added
// is safe.

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <vector>

namespace orvane {

class SharedTexts {
public:
    SharedTexts();

    // The number of the text, kept when it is new.
    uint32_t Share(QStringView text);
    // The same for a text of Latin-1 bytes, without making its string when it is held already.
    uint32_t ShareLatin1(QByteArrayView bytes);

    const QString& Text(uint32_t number) const { return texts_[number]; }
    // How many texts are held: the numbers run from 0 to size() - 1.
    uint32_t size() const { return uint32_t(texts_.size()); }
    void clear();

private:
    template <typename View> uint32_t share(View text);
    void grow(size_t capacity);

    struct Slot {
        uint32_t tag = 0;    // the high half of the text's hash
        uint32_t number = 0; // the text's number + 1; 0: empty slot
    };
    std::vector<Slot> slots_;
    size_t mask_ = 0;
    std::vector<QString> texts_;
};

// Yes-or-no answers about the texts of a SharedTexts, each asked once: loops over many songs
// that share few texts (views, searches, saves) ask a question per text, not per song.
class TextAnswers {
public:
    explicit TextAnswers(uint32_t textCount)
        : answers_(textCount, kUnknown) {}

    // The answer for the text numbered text; ask() gives it the first time.
    template <typename Ask> bool Of(uint32_t text, Ask ask) {
        int8_t& known = answers_[text];
        if (known == kUnknown)
            known = ask() ? 1 : 0;
        return known == 1;
    }

private:
    static constexpr int8_t kUnknown = -1;
    std::vector<int8_t> answers_;
};

} // namespace orvane
