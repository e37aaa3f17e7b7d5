// The runtime translator's path parsing: ApplyItem and ResolvePath over a fixed component tree.
#include "FuzzSupport.h"
#include "formats/Errors.h"
#include "translator/TKVTranslator.h"

#include <map>
#include <memory>

namespace {

using namespace verbaria;

struct FakeComponent
{
    std::string name;
    std::vector<FakeComponent *> owned;
    std::map<std::string, PropertyKind> properties; // upper-cased names
};

// Application -> two forms -> a few components, one of them owning more; names repeat across
// owners and differ only in case within one.
class FakeTree final : public TComponentTree
{
public:
    FakeTree()
    {
        auto add = [this](FakeComponent *owner, std::string name) {
            auto &made = storage_.emplace_back(std::make_unique<FakeComponent>());
            made->name = std::move(name);
            made->properties = {{"CAPTION", PropertyKind::Text},
                                {"HINT", PropertyKind::Text},
                                {"WIDTH", PropertyKind::Integer},
                                {"ITEMS", PropertyKind::StringList},
                                {"TAG", PropertyKind::Other}};
            owner->owned.push_back(made.get());
            return made.get();
        };
        FakeComponent *main = add(&root_, "MainForm");
        FakeComponent *dialog = add(&root_, "Dialog");
        add(main, "menuSoubor");
        FakeComponent *panel = add(main, "Panel1");
        add(panel, "Button1");
        add(panel, "button1");
        add(dialog, "Button1");
        add(dialog, "");
    }

    Component Root() override { return &root_; }
    void ForEachOwned(Component owner, const OwnedVisitor &visit) override
    {
        for (FakeComponent *component : static_cast<FakeComponent *>(owner)->owned) {
            if (!visit(component, component->name))
                return;
        }
    }
    PropertyKind FindProperty(Component component, std::string_view property) override
    {
        std::string upper(property);
        for (char &c : upper)
            c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
        const auto &properties = static_cast<FakeComponent *>(component)->properties;
        const auto found = properties.find(upper);
        return found == properties.end() ? PropertyKind::None : found->second;
    }
    void SetText(Component component, std::string_view, std::string_view) override { Check(component); }
    void SetInteger(Component component, std::string_view, std::int32_t) override { Check(component); }
    void SetStringList(Component component, std::string_view, const std::vector<std::string> &) override
    {
        Check(component);
    }

private:
    void Check(Component component)
    {
        bool known = false;
        for (const auto &owned : storage_)
            known = known || owned.get() == component;
        FUZZ_CHECK(known);
    }

    FakeComponent root_;
    std::vector<std::unique_ptr<FakeComponent>> storage_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static FakeTree tree;
    TKVTranslator translator(&tree);
    // The first line is the path, the rest the value; the first byte chooses the separator.
    const std::string_view bytes = AsBytes(data, size);
    const std::size_t lineEnd = bytes.find('\n');
    const std::string_view path = bytes.substr(0, lineEnd);
    const std::string_view value =
        lineEnd == std::string_view::npos ? std::string_view() : bytes.substr(lineEnd + 1);
    if (size > 0 && (data[0] & 1))
        translator.SetSeparator(std::string_view(bytes.data(), 1));
    translator.ResolvePath(path);
    try {
        translator.ApplyItem(path, value);
    } catch (const FormatError &) {
    }
    return 0;
}
