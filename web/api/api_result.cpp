#include "web/api/api_state.h"
#include "web/api/zorva_api.h"

namespace zorva::web {

ApiResult& Result() {
  static ApiResult result;
  return result;
}

const char* ResultText(std::string text) {
  Result().text = std::move(text);
  return Result().text.c_str();
}

}  // namespace zorva::web

using zorva::web::Result;

extern "C" {

const char* zorva_result_text(void) { return Result().text.c_str(); }
const uint8_t* zorva_result_bytes(void) { return Result().bytes.data(); }
int zorva_result_size(void) { return static_cast<int>(Result().bytes.size()); }

}
