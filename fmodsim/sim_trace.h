#pragma once
// The stand-ins' call trace and failure injection.
//
// Trace: when FMODSIM_TRACE names a file, every call appends one line
//   <function> <key>=<value>... -> <result>[ <output>=<value>...]
// Failure injection: FMODSIM_FAIL holds rules separated by ";", each
//   <function>[:<text>]=<result>|null
// A rule applies to a call of that function whose argument text contains <text> (any call when
// no text is given): the call returns <result> (a number) without effect, or with "null" it
// returns FMOD_OK and hands back no object. Both variables are read at every call.
#include <string>

#include "daemons/sound/fmod_api.h"

namespace fmodsim {

struct Injection {
  bool active = false;
  bool nullOutput = false;
  FMOD_RESULT result = FMOD_OK;
};

Injection injectedFailure(const char* function, const std::string& arguments);
void trace(const char* function, const std::string& arguments, FMOD_RESULT result,
           const std::string& outputs = std::string());
// Shortest text that reads back as the same float.
std::string floatText(float value);
std::string vectorText(const FMOD_VECTOR& v);
std::string attributesText(const FMOD_3D_ATTRIBUTES& a);

}  // namespace fmodsim
