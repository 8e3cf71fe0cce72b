#include "plugin/foundation/files/exception.h"

#include <sstream>

namespace kvl {

Exception::Exception(const std::string& text, const std::string& where) : text_(text), where_(where) {}

Exception::Exception(const Exception& other) : text_(other.text_), where_(other.where_) {}

Exception& Exception::operator=(const Exception& other) {
  if (this != &other) {
    text_ = other.text_;
    where_ = other.where_;
  }
  return *this;
}

Exception::~Exception() = default;

std::string Exception::text() const { return text_; }

std::string Exception::message() const {
  std::ostringstream out;
  if (!where_.empty()) out << where_ << ": ";
  out << text_;
  return out.str();
}

void Exception::setText(const std::string& text) {
  if (&text != &text_) text_ = text;
}

std::string Exception::where() const { return where_; }

void Exception::setWhere(const std::string& where) {
  if (&where != &where_) where_ = where;
}

}  // namespace kvl
