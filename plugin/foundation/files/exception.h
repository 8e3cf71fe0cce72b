#pragma once
#include <string>

namespace kvl {

// The error of the file layer: what failed, and the qualified name of the operation that
// threw. Thrown and caught by value.
class Exception {
 public:
  Exception(const std::string& text, const std::string& where);
  Exception(const Exception& other);
  Exception& operator=(const Exception& other);
  virtual ~Exception();

  virtual std::string text() const;
  // "where: text", or just the text when no operation is named.
  virtual std::string message() const;
  virtual void setText(const std::string& text);
  virtual std::string where() const;
  virtual void setWhere(const std::string& where);

 private:
  std::string text_;
  std::string where_;
};

}  // namespace kvl
