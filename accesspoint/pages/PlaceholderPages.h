// The configuration, access control and block acknowledgement tabs of the property sheet, as
// far as they are built yet: each on its own template, showing nothing. They keep their class
// names, so that the sheet finds its pages by class.
#pragma once

#include "platform/framework/PropertyPage.h"

namespace hotvane {

class CConfigPage : public CPropertyPage {
public:
    enum { IDD = 105 };
    CConfigPage() : CPropertyPage(IDD) { }

protected:
    void OnOK() override { }
    void OnCancel() override { }
};

class CAccessControlPage : public CPropertyPage {
public:
    enum { IDD = 106 };
    CAccessControlPage() : CPropertyPage(IDD) { }

protected:
    void OnOK() override { }
    void OnCancel() override { }
};

class CBlockAck : public CPropertyPage {
public:
    enum { IDD = 112 };
    CBlockAck() : CPropertyPage(IDD) { }

protected:
    void OnOK() override { }
    void OnCancel() override { }
};

}
