#include "store/SharedTexts.h"

#include <QHashFunctions>
#include <QVarLengthArray>
#include <algorithm>
#include <bit>

namespace orvane {

namespace {

// One hash for UTF-16 and Latin-1 texts of the same characters: the hash of the Latin-1 bytes,
// which a text with a character above U+00FF cannot equal (its UTF-16 is hashed instead).
uint64_t HashOf(QByteArrayView bytes) {
    return qHash(bytes);
}

uint64_t HashOf(QStringView text) {
    const char16_t* units = text.utf16();
    const qsizetype n = text.size();
    if (std::any_of(units, units + n, [](char16_t c) { return c > 0xff; }))
        return qHash(text, 1);
    QVarLengthArray<char, 256> bytes(n);
    std::transform(units, units + n, bytes.data(), [](char16_t c) { return char(c); });
    return qHash(QByteArrayView(bytes.data(), n));
}

bool Same(const QString& held, QStringView text) {
    return held == text;
}
bool Same(const QString& held, QByteArrayView bytes) {
    return held == QLatin1StringView(bytes);
}

QString Make(QStringView text) {
    return text.toString();
}
QString Make(QByteArrayView bytes) {
    return QString::fromLatin1(bytes);
}

} // namespace

SharedTexts::SharedTexts() {
    texts_.emplace_back();
}

void SharedTexts::clear() {
    slots_.clear();
    mask_ = 0;
    texts_.clear();
    texts_.emplace_back();
}

template <typename View> uint32_t SharedTexts::share(View text) {
    if (text.isEmpty())
        return 0;
    if ((texts_.size() + 1) * 2 > slots_.size())
        grow(std::max<size_t>(64, slots_.size() * 2));
    const uint64_t hash = HashOf(text);
    const uint32_t tag = uint32_t(hash >> 32);
    for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
        Slot& slot = slots_[i];
        if (slot.number == 0) {
            texts_.push_back(Make(text));
            slot = {tag, uint32_t(texts_.size())};
            return slot.number - 1;
        }
        if (slot.tag == tag && Same(texts_[slot.number - 1], text))
            return slot.number - 1;
    }
}

uint32_t SharedTexts::Share(QStringView text) {
    return share(text);
}

uint32_t SharedTexts::ShareLatin1(QByteArrayView bytes) {
    return share(bytes);
}

void SharedTexts::grow(size_t capacity) {
    slots_.assign(capacity, Slot{});
    mask_ = capacity - 1;
    // Rehashed from the texts: the slots keep only half of each hash.
    for (uint32_t n = 1; n < texts_.size(); ++n) {
        const uint64_t hash = HashOf(QStringView(texts_[n]));
        size_t i = hash & mask_;
        while (slots_[i].number != 0)
            i = (i + 1) & mask_;
        slots_[i] = {uint32_t(hash >> 32), n + 1};
    }
}

} // namespace orvane
