#pragma once
// The host record behind global 0x7C755C (6240 bytes: table word, words at +4 and +8, a 4096-byte
// block at +12, words at +4108 and +4112, two 32-bit callback objects at +6176 and +6208), the
// host constructor 0x5001C0 that runs on copies of it, and the 21 host instructions that read
// their record pointer through a 32-bit operand (mov eax, [m32]), which the host points at the
// global: 17 sites of the first group, one of the second, three of the third.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> recordCopyEntries();

// Whether the runtime's malloc fails this request (the N-th block of the record's size, as the
// scenario asked).
bool failsRecordCopyAllocation(std::uint32_t bytes);

// Scenario steps, after "recordcopies":
//   failmalloc N      the N-th request for a block of the record's size gets null
//   failconstruct N   the N-th run of the host constructor raises a host exception
//   read              runs each of the 21 sites and reads the record it reaches; per site
//                     "record copy SITE list K reads host record", or "record copy SITE list K
//                     copy C table T fields F rest R callbacks A B" where C numbers the distinct
//                     copies in the order met, T is plugin (its only slot, called with three
//                     words, gives 0), host or zero; F is host when the words at +4 and +8, the
//                     block and the word at +4112 are the host record's; R is own when +4108 and
//                     the bytes from +4116 to +6175 are what the host constructor left; A and B
//                     are own when the callback's invoke reaches the copy at the offset the
//                     constructor stored (else host, zero or other); then "host record
//                     unchanged" or "host record altered"
// The constructor traces "host record construct after plugin fields" when the table word, the
// callback tables and the zero words were in place before it ran ("... before plugin fields"
// otherwise).
bool runRecordCopyStep(const std::string& step, std::istream& in);

}  // namespace hostsim
