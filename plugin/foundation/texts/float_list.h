#pragma once
// A list of floats in its text form: numbers separated by white space, as ini values such as the
// replay speeds hold them.
#include <deque>
#include <istream>
#include <ostream>

namespace kvl {

using FloatList = std::deque<float>;

// Appends the floats the stream yields, one after another, until an extraction fails; the list
// is not emptied first.
std::istream& readFloatList(std::istream& in, FloatList& list);
// The floats in list order with the stream's float formatting, one blank between two.
std::ostream& writeFloatList(std::ostream& out, const FloatList& list);

}  // namespace kvl
