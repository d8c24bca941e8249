#include "platform/win/edit.h"

#include <algorithm>

namespace tra1::win {

namespace {
constexpr int kDefaultLimit = 32767;
}

Edit::Edit(Dialog& parent, const ControlTemplate& source)
    : Control(parent, source),
      limit_(kDefaultLimit),
      readOnly_((source.style & style::kReadOnly) != 0) {
    selStart_ = selEnd_ = GetTextLength();
}

void Edit::SetText(std::string text) {
    const bool changed = text != GetText();
    StoreText(std::move(text));
    selStart_ = selEnd_ = GetTextLength();
    if (changed) {
        Changed(ControlChange::kText);
    }
}

void Edit::SetLimitText(int limit) {
    const int value = limit > 0 ? limit : kDefaultLimit;
    if (value != limit_) {
        limit_ = value;
        Changed(ControlChange::kLimit);
    }
}

void Edit::SetSel(int start, int end) {
    const int length = GetTextLength();
    int from = std::clamp(start, 0, length);
    int to = end < 0 ? length : std::clamp(end, 0, length);
    if (from > to) {
        std::swap(from, to);
    }
    if (from != selStart_ || to != selEnd_) {
        selStart_ = from;
        selEnd_ = to;
        Changed(ControlChange::kSelection);
    }
}

void Edit::ReplaceSel(const std::string& text) {
    const int length = GetTextLength();
    const int from = std::clamp(selStart_, 0, length);
    const int to = std::clamp(selEnd_, from, length);
    std::string value = GetText();
    value.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), text);
    const bool changed = value != GetText();
    StoreText(std::move(value));
    selStart_ = selEnd_ = from + static_cast<int>(text.size());
    if (changed) {
        Changed(ControlChange::kText);
    }
}

void Edit::AppendText(const std::string& text) {
    selStart_ = selEnd_ = GetTextLength();
    ReplaceSel(text);
}

void Edit::SetReadOnly(bool readOnly) {
    if (readOnly != readOnly_) {
        readOnly_ = readOnly;
        Changed(ControlChange::kReadOnly);
    }
}

}  // namespace tra1::win
