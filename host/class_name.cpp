// Three lookups by name and one game call, every time: the plugin keeps no field offsets.
#include "host/class_name.h"

#include "host/binding.h"

namespace quellwarden::host {

FString read_class_name(const void* object) {
  const void* class_object = *field_of<const void*>(object, "UObjectBase.ClassPrivate");
  FName* name = field_of<FName>(class_object, "UObjectBase.NamePrivate");
  FString text;
  call_game<void, FName*, FString&>("FName.ToString(FString&)", name, text);
  return text;
}

}  // namespace quellwarden::host
