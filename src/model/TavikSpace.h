// The identifiers of the open engine project: attribute queries, the
// factory of identifier objects and the cache of sets by full name.
#ifndef TAVIK4R_MODEL_TAVIKSPACE_H
#define TAVIK4R_MODEL_TAVIKSPACE_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/ITavik.h"
#include "model/MultiDimIdentifier.h"
#include "model/SetIdentifier.h"

namespace Tavik {

class HandleGuard;

class TavikSpace {
 public:
  explicit TavikSpace(std::shared_ptr<ITavik> api);
  TavikSpace(const TavikSpace&) = delete;
  TavikSpace& operator=(const TavikSpace&) = delete;

  std::wstring getAttributeName(int handle);
  int getAttributeType(int handle);
  MultiDimIdentifier::StorageType getStorageDataType(int handle);
  int getAttributeDimension(int handle);
  std::vector<int> getAttributeRootDomain(int handle);
  int getAttributeElementRange(int handle);
  std::vector<int> getAttributeDeclarationDomain(int handle);

  // A new handle of the identifier of that name; a refusal is raised as an
  // unknown identifier.
  int createIdentifierHandle(const std::wstring& identifierName);
  // The one set an index runs over; inner keeps that set's handle.
  int setOfIndex(int index, HandleGuard& inner);

  // Splits a full name at its last "::" into name and scope.
  static void splitName(const std::wstring& fullName, std::wstring& name,
                        std::wstring& scope);

  std::shared_ptr<SetIdentifier> getOrCreateSet(int setHandle);
  std::shared_ptr<SetIdentifier> createSetIdentifier(int setHandle);
  std::shared_ptr<MultiDimIdentifier> createMultiDimIdentifier(
      std::wstring identifierName);

  // created tells whether the set was made now and owns setHandle.
  std::shared_ptr<SetIdentifier> getOrCreateSet(int setHandle, bool& created);

  std::shared_ptr<ITavik> api;
  std::map<std::wstring, std::shared_ptr<SetIdentifier>> sets;

 private:
  static wchar_t szBuf[256];
};

}  // namespace Tavik

#endif
