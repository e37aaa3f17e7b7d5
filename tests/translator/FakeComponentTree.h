#pragma once

#include "formats/TextRules.h"
#include "translator/TComponentTree.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

// A component tree made of plain structs, counting how often the translator walks it.
struct FakeProperty
{
    verbaria::PropertyKind Kind = verbaria::PropertyKind::Text;
    std::string Text;
    std::int32_t Number = 0;
    std::vector<std::string> Lines;
    int Writes = 0;
};

struct FakeComponent
{
    std::string Name;
    std::vector<FakeComponent *> Owned;
    std::map<std::string, FakeProperty> Properties; // keyed upper-cased

    FakeProperty &Property(const std::string &name,
                           verbaria::PropertyKind kind = verbaria::PropertyKind::Text)
    {
        FakeProperty &property = Properties[verbaria::UpperAscii(name)];
        property.Kind = kind;
        return property;
    }
};

class FakeComponentTree final : public verbaria::TComponentTree
{
public:
    FakeComponentTree() { root_.Name = "Application"; }

    FakeComponent &RootComponent() { return root_; }
    FakeComponent &Add(FakeComponent &owner, const std::string &name)
    {
        FakeComponent &component = storage_.emplace_back();
        component.Name = name;
        owner.Owned.push_back(&component);
        return component;
    }

    int Walks = 0;

    Component Root() override { return &root_; }
    void ForEachOwned(Component owner, const OwnedVisitor &visit) override
    {
        ++Walks;
        for (FakeComponent *component : static_cast<FakeComponent *>(owner)->Owned) {
            if (!visit(component, component->Name))
                return;
        }
    }
    verbaria::PropertyKind FindProperty(Component component, std::string_view property) override
    {
        FakeProperty *found = Find(component, property);
        return found ? found->Kind : verbaria::PropertyKind::None;
    }
    void SetText(Component component, std::string_view property, std::string_view value) override
    {
        FakeProperty &target = *Find(component, property);
        target.Text.assign(value);
        ++target.Writes;
    }
    void SetInteger(Component component, std::string_view property, std::int32_t value) override
    {
        FakeProperty &target = *Find(component, property);
        target.Number = value;
        ++target.Writes;
    }
    void SetStringList(Component component, std::string_view property,
                       const std::vector<std::string> &lines) override
    {
        FakeProperty &target = *Find(component, property);
        target.Lines = lines;
        ++target.Writes;
    }

private:
    static FakeProperty *Find(Component component, std::string_view property)
    {
        auto &properties = static_cast<FakeComponent *>(component)->Properties;
        const auto found = properties.find(verbaria::UpperAscii(property));
        return found == properties.end() ? nullptr : &found->second;
    }

    FakeComponent root_;
    std::deque<FakeComponent> storage_;
};
