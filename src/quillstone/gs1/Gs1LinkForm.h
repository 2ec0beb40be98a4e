// A GS1 Digital Link URI as GS1 reads it: http or https on a named host, only URI characters, a
// primary key of the dictionary and its qualifiers in their declared order as AI/value pairs at
// the end of the path, attributes the dictionary allows in the query, values percent-encoded.
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
  // A scheme ("https", "ftp" ...) followed by "://": read as a link, and refused if it is none.
  static bool LooksLikeUri(std::string_view text);
};

}  // namespace quillstone
