#include "plugin/sound/sound_client.h"

namespace kvl {

SoundClient& SoundClient::instance() {
  static SoundClient client;
  return client;
}

}  // namespace kvl
