// What a request was doing when it failed: the HTTP status of a failure follows from the
// operation and the library's error (ErrorStatus).
#pragma once

namespace quillstone::service {

enum class ApiOperation {
  // Reading the request: its JSON, the types of its fields, its headers.
  ReadRequest,
  // The bearer token, and starting the library's session for its user.
  Authenticate,
  // Reading one record the path names (a rule, a barcode).
  Lookup,
  ListRules,
  Identify,
  Verify,
  Register,
  // Abandoning, reusing or removing a registered barcode.
  ChangeRegistry,
  ListBarCodes,
  Encode,
  Labels,
};

}  // namespace quillstone::service
