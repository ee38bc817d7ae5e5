#include "editor/DocumentServices.h"

namespace vantrel {

DocumentServices& Services() {
  static DocumentServices services;
  return services;
}

}  // namespace vantrel
