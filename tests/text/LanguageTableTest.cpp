#include <gtest/gtest.h>

#include "text/LanguageTable.h"

using namespace tw;

TEST(LanguageTable, RowsAreInTableOrderWithTheirKeys) {
    const LanguageRow* rows = languageRows();
    for (int i = 0; i < kLanguageRowCount; ++i) EXPECT_EQ(static_cast<int>(rows[i].key), i) << "row " << i + 1;
    EXPECT_STREQ(rows[0].french, L"&1 - Recherche des rames");
    EXPECT_STREQ(rows[38].english, L"&Close");
}

TEST(LanguageTable, SpotChecksBothLanguages) {
    EXPECT_EQ(text(TextKey::Step2Caption, 0), L"&2 - Recherche du mat\u00E9riel");
    EXPECT_EQ(text(TextKey::Step4Caption, 1), L"&4 - Identify Orphaned Stock");
    EXPECT_EQ(text(TextKey::ReportButtonMissing, 0), L"Man&quants");
    EXPECT_EQ(text(TextKey::ExitButtonCaption, 0), L"&Termin\u00E9");
    EXPECT_EQ(text(TextKey::FoldersGroupCaption, 0), L" Dossiers \u00E0 analyser ");
    EXPECT_EQ(text(TextKey::RunGroupCaption, 1), L" Run ");
    EXPECT_EQ(text(TextKey::BetaWarning, 1), L"Warning : This is a Beta Version. Accuracy of results not guaranted");
    EXPECT_EQ(text(TextKey::TitleMissing, 1), L"Missing Stock");
    EXPECT_EQ(text(TextKey::ListHeaderStock, 0), L"Liste du Mat\u00E9riel :");
    EXPECT_EQ(text(TextKey::PrintButtonTemplate, 1), L"&Print [] pages");
    EXPECT_EQ(text(TextKey::SaveButtonCaption, 0), L"&Enregistrer");
    EXPECT_EQ(text(TextKey::CloseButtonCaption, 0), text(TextKey::HelpCloseButtonCaption, 0));
}

TEST(LanguageTable, AnyLanguageOtherThanOneIsFrench) {
    EXPECT_EQ(text(TextKey::HelpButtonCaption, 2), L"&Aide");
    EXPECT_EQ(text(TextKey::HelpButtonCaption, -1), L"&Aide");
    EXPECT_EQ(text(TextKey::HelpButtonCaption, 1), L"&Help");
}

TEST(LanguageTable, MissingPrefixLengthsAndExplanationTails) {
    EXPECT_EQ(text(TextKey::MissingFilePrefix, 1).size(), 16u);
    EXPECT_EQ(text(TextKey::MissingFolderPrefix, 1).size(), 16u);
    EXPECT_EQ(text(TextKey::MissingFilePrefix, 0).size(), 19u);
    EXPECT_EQ(text(TextKey::MissingFolderPrefix, 0).size(), 19u);
    for (TextKey k : {TextKey::OrphansExplanation, TextKey::MissingExplanation}) {
        const std::wstring fr = text(k, 0), en = text(k, 1);
        EXPECT_EQ(fr.substr(fr.size() - 5), L"\r\n   ");
        EXPECT_EQ(en.substr(en.size() - 4), L"\r\n  ");
    }
}

TEST(LanguageTable, ReportTextsAreEmptyUntilAssignedAndFollowTheLastAssignment) {
    clearReportTexts();
    EXPECT_TRUE(reportText(TextKey::ReportHeaderPrefix).empty());
    assignReportTexts(1);
    EXPECT_EQ(reportText(TextKey::ReportHeaderPrefix), L"Results from Trackwend on ");
    EXPECT_EQ(reportText(TextKey::MissingFolderPrefix), L"Missing Folder: ");
    EXPECT_EQ(reportText(TextKey::ActivitiesIncluded), L"(Activities' loose consists included)");
    assignReportTexts(0);
    EXPECT_EQ(reportText(TextKey::TitleStock), L"Mat\u00E9riel");
    EXPECT_THROW(reportText(TextKey::Step1Caption), std::logic_error);
    EXPECT_THROW(reportText(TextKey::ActivitiesMenuItem), std::logic_error);
    EXPECT_EQ(reportSignature(), L"quarnel - Beta 0.04 - 07/2004");
}
