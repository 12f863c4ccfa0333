// A simulated IDE with the plug-in started and its frame up.
#pragma once

#include "run_folder.h"
#include "sim_control.h"
#include "toolkit/toolkit_state.h"

class ShellTest : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        trvsim::clearShellRecords();
        ASSERT_EQ(ide->start(), 1);
    }

    static trvsim::xc::Element* named(const char16_t* name) {
        return trvsim::xc::elementOf(trvsim::xc::elementNamed(name));
    }
    static HELE toolButton(const std::u16string& tooltip) {
        for (const char16_t* bar : {u"winToolBar0", u"winToolBar1"})
            for (HELE child : named(bar)->children)
                if (trvsim::xc::elementOf(child)->tooltip == tooltip) return child;
        return nullptr;
    }
    static HELE pane(const std::u16string& caption) {
        for (auto& [handle, object] : trvsim::xc::toolkit().objects)
            if (object->type == XC_PANE && static_cast<trvsim::xc::Pane*>(object.get())->text == caption)
                return object->handle;
        return nullptr;
    }
    static trvsim::xc::WindowObject* frame() {
        HWND hwnd = FindWindowA("Tarvolin", nullptr);
        for (auto& [handle, object] : trvsim::xc::toolkit().objects)
            if (auto* w = trvsim::xc::windowOf(object->handle); w && w->hwnd == hwnd && hwnd) return w;
        return nullptr;
    }
    // Host functions the plug-in called since `from`.
    std::vector<DWORD> hostFunctionsSince(size_t from) const {
        std::vector<DWORD> codes;
        for (size_t i = from; i < ide->hostCalls().size(); ++i)
            if (ide->hostCalls()[i].code == 2) codes.push_back(DWORD(ide->hostCalls()[i].first));
        return codes;
    }
};
