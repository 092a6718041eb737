#include "ThreadLocale.h"

#include <initializer_list>

namespace unz {

ThreadLocale::ThreadLocale() {
  for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
    own_ = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr));
    if (own_ != nullptr) break;
  }
  if (own_ != nullptr) previous_ = uselocale(own_);
}

ThreadLocale::~ThreadLocale() {
  if (own_ == nullptr) return;
  uselocale(previous_);
  freelocale(own_);
}

}  // namespace unz
