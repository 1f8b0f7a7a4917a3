// The main window's control tree: the form, the body panel and its pages.
// Each page is built by its own file (mainform_controls_*.cpp).
#include "mainform_controls.h"

#include "mainform_controls_build.h"
#include "widgets/page_control.h"

#include <QFrame>

using namespace controls_build;

void TMainFormControls::setupControls(QWidget* form)
{
    QFont formFont = form->font();
    formFont.setFamily(QStringLiteral("Arial"));
    form->setFont(formFont);

    setupTopBand(form);
    setupContextMenu(form);
    setupPages(form);
}

void TMainFormControls::setupPages(QWidget* form)
{
    MainLMDSimplePanel = panel(form, "MainLMDSimplePanel", QRect(0, 81, 1084, 500));
    auto* pages = make<PageControl>(MainLMDSimplePanel, "MainLMDPageControl", QRect(0, 0, 1084, 500));
    MainLMDPageControl = pages;

    const auto addPage = [pages](const char* name, const QString& caption) {
        auto* page = new QWidget;
        page->setObjectName(QLatin1String(name));
        pages->addTab(page, caption);
        return page;
    };
    MultimeterLMDTabSheet = addPage("MultimeterLMDTabSheet", QStringLiteral("Мультиметр"));
    CorrectionFactorsLMDTabSheet = addPage("CorrectionFactorsLMDTabSheet", QStringLiteral("Коэффициенты"));
    VerificationLMDTabSheet = addPage("VerificationLMDTabSheet", QStringLiteral("Поверка"));
    // The pages get their final size now, so what is placed relative to a
    // page's size is right before the window is first shown.
    pages->layoutPages();

    setupMultimeterPage();
    setupDacAndEquipment();
    setupCoefficientPage();
    setupVerificationPage();
}
