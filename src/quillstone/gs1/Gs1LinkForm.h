// A GS1 Digital Link URI on any host: the primary key and its qualifiers as AI/value pairs at the
// end of the path, every other field in the query, values percent-encoded.
#pragma once

#include <string>
#include <string_view>

namespace quillstone {

class Gs1ElementString;

class Gs1LinkForm {
 public:
  // Path segments before the primary key (a site's own prefix) and query parameters that are
  // no AI (linkType and the like) are passed over.
  static void Read(std::string_view uri, Gs1ElementString& out);
  static std::string Write(const Gs1ElementString& elements, std::string_view base);
  static bool LooksLikeUri(std::string_view text);
};

}  // namespace quillstone
