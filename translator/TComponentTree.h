#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace verbaria {

// What a published property means to the translator.
enum class PropertyKind : std::uint8_t {
    None,       // no such property
    Text,       // set from the translation as it is
    Integer,    // set from the translation read as a whole number
    StringList, // set from the translation split at the separator
    Other,      // exists, but a translation has no meaning for it
};

// The live components a translator writes into, seen the way the translator addresses them: a
// root (the application object), components owning components in a fixed order, each with a
// name, and properties looked up by name without regard to ASCII case. Names and values are
// bytes in the code page of the translation files. Components are opaque handles; nullptr is
// "no component".
class TComponentTree
{
public:
    using Component = void *;
    // Returns false to stop the walk.
    using OwnedVisitor = std::function<bool(Component component, std::string_view name)>;

    virtual ~TComponentTree() = default;

    virtual Component Root() = 0;
    // Visits the components that owner owns, in ownership order.
    virtual void ForEachOwned(Component owner, const OwnedVisitor &visit) = 0;
    virtual PropertyKind FindProperty(Component component, std::string_view property) = 0;
    virtual void SetText(Component component, std::string_view property, std::string_view value) = 0;
    virtual void SetInteger(Component component, std::string_view property, std::int32_t value) = 0;
    virtual void SetStringList(Component component, std::string_view property,
                               const std::vector<std::string> &lines) = 0;

    // Translate brackets its writes with these, so that a tree may give back to a property it
    // wrote before what the property held until then, once a language no longer translates it.
    virtual void BeginTranslation() {}
    virtual void EndTranslation() {}
};

} // namespace verbaria
