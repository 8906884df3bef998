#pragma once

// Item records written in the tests, as the item table stores them.

#include <string>
#include <vector>

#include "catalogue/catalogue_format.h"

namespace lf::testing {

// A record of `closed` fields, each closed by "|" (87 make the usual 88 elements, the last one
// empty); every field is "0" until set, and a field past the end stays out.
class RecordText {
  public:
    explicit RecordText(std::size_t closed = kRecordFieldCount - 1) : fields_(closed, "0") {}

    RecordText& Set(std::size_t field, std::string text) {
        if (field < fields_.size()) fields_[field] = std::move(text);
        return *this;
    }

    std::string Text() const {
        std::string text;
        for (const std::string& field : fields_) text += field + "|";
        return text;
    }

  private:
    std::vector<std::string> fields_;
};

}  // namespace lf::testing
