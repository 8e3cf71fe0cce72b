#include "common/telemetry/record_set.h"

#include <boost/property_tree/ini_parser.hpp>
#include <boost/property_tree/ptree.hpp>

namespace kvl {

namespace {

namespace pt = boost::property_tree;

std::vector<std::string> selectedKeys(const pt::ptree& tree, const std::string& setName) {
  std::vector<std::string> names;
  auto set = tree.get_child_optional(pt::ptree::path_type(setName, '.'));
  if (!set) return names;
  for (const auto& child : *set) {
    // The numeric form first ("1", "0"), then the word form ("true", "false"); anything else,
    // or anything left over, reads as false.
    if (child.second.get_value<bool>(false)) names.push_back(child.first);
  }
  return names;
}

}  // namespace

std::vector<std::string> readRecordSet(const std::string& iniPath, const std::string& setName) {
  pt::ptree tree;
  try {
    pt::read_ini(iniPath, tree);
  } catch (const pt::ptree_error&) {
    return {};
  }
  return selectedKeys(tree, setName);
}

std::vector<std::string> readRecordSet(std::istream& ini, const std::string& setName) {
  pt::ptree tree;
  try {
    pt::read_ini(ini, tree);
  } catch (const pt::ptree_error&) {
    return {};
  }
  return selectedKeys(tree, setName);
}

}  // namespace kvl
