#include "app/MainNavigation.h"

namespace {

using M = TNavigationMode;

const TNavigationPage kPages[] = {
    {"tsEvidencie", "&1. Evidencie"},
    {"tsCiselniky", "&2. Číselníky"},
    {"tsPrehlady", "&3. Prehľady"},
    {"tsSluzby", "&4. Služby"},
};

const TNavigationEntry kEntries[] = {
    // Records.
    {0, "btnEBrigady", "Brigády", 1, 1, "TfrmEBrigady", M::WorkingYear},
    {0, "btnEPredmety", "Zverené predmety", 1, 2, "TfrmEPredmety"},
    {0, "btnEVyznamenania", "Vyznamenania", 1, 3, "TfrmEVyznamenania"},
    {0, "btnECeniny", "Ceniny, tlačivá", 1, 4, "TfrmECeniny"},
    {0, "btnEPriestupky", "Disc. priestupky", 1, 5, "TfrmEPriestupky"},
    {0, "btnEPreteky", "Preteky ZEZ-A", 1, 6, "TfrmEPreteky"},
    {0, "btnEVimekskaStraz", "Rybárska stráž", 1, 7, "TfrmERS"},
    {0, "btnEPovolenky", "Platby za povolenky", 2, 1, "TfrmEPovolenky"},
    {0, "btnEPovolenkyZO", "Platby za HP ZO", 2, 2, "TfrmEPovolenkyZO"},
    {0, "btnEPovolenkyJUX", "Platby za HP JUX", 2, 3, "TfrmEPovolenkyJUX"},
    {0, "btnEPovolenkyVratenie", "Sumarizácia úlovkov", 2, 4, "TfrmEPovolenkyVratenie", M::WorkingYear},
    {0, "btnEUlovkyKapitalne", "Kapitálne úlovky", 2, 5, "TfrmEUlovkyKapitalne"},
    {0, "btnEZarybnovanie", "Zarybňovanie", 2, 6, "TfrmEZarybnovanieZdroj"},
    {0, "btnEKrmenie", "Kŕmenie revírov", 2, 7, "TfrmEKrmenia"},
    {0, "btnEFakturyVystavene", "Vystavené faktúry", 3, 1, "TfrmEFaktury", M::DocumentRange, 11, 19},
    {0, "btnEFakturyPridate", "Prijaté faktúry", 3, 2, "TfrmEFaktury", M::DocumentRange, 21, 29},
    {0, "btnEFakturyDodListyVystavene", "Vystavené dod. listy", 3, 3, "TfrmEFaktury", M::DocumentRange, 41, 49},
    {0, "btnEFakturyDodListyPrijate", "Prijaté dod. listy", 3, 4, "TfrmEFaktury", M::DocumentRange, 31, 39},
    {0, "btnEPokladnaBanka", "Banka", 3, 5, "TfrmEPokladna", M::BookType, 2},
    {0, "btnEPokladna", "Pokladňa", 3, 6, "TfrmEPokladna", M::BookType, 1},
    {0, "btnEPosta", "Pošta", 3, 7, "TfrmEPosta"},
    // Code lists and registers.
    {1, "btnCZO", "Zákl. organizácie", 1, 1, "TfrmCZO"},
    {1, "btnCReviryJUX", "Revíry JUX", 1, 2, "TfrmCReviryJUX"},
    {1, "btnCDruhyRyb", "Druhy rýb", 1, 3, "TfrmCDruhyRyb"},
    {1, "btnCCeniny", "Ceniny, platby, ...", 1, 4, "TfrmCCeniny"},
    {1, "btnCClenenieClenov", "Členenie členov", 1, 5, "TfrmCClenenieClenov"},
    {1, "btnCDruzstvaPretekarov", "Družstvá ZEZ-A", 1, 6, "TfrmCDruzstvaPretekarov"},
    {1, "btnCPartneri", "Partneri", 2, 1, "TfrmCPartneri"},
    {1, "btnCClenov", "Členovia ZO", 2, 2, "TfrmCClenov"},
    {1, "btnCClenovRS", "Členovia ZO - RS", 2, 3, "TfrmCClenovRS"},
    {1, "btnCZdrojeUhrad", "Zdroje úhrad", 2, 4, "TfrmCZdrojeUhrad"},
    {1, "btnCLig", "Súťaže ZEZ-A", 2, 5, "TfrmCLig"},
    {1, "btnCPretekari", "Pretekári ZEZ-A", 2, 6, "TfrmCPretekari"},
    {1, "btnCDruhyDokladov", "Druhy dokladov", 3, 1, "TfrmCDruhyDokladov"},
    {1, "btnCTypyBrigad", "Typy brigád", 3, 2, "TfrmCTypyBrigad"},
    {1, "btnCKrmiv", "Krmivá", 3, 3, "TfrmCKrmiv"},
    // Overviews.
    {2, "btnESaldokonto", "Saldokonto", 1, 1, "TfrmESaldokonto"},
    {2, "btnPVysledkyLigy", "Výsledky ZEZ-A", 1, 2, "TfrmPVysledkyLigy"},
    {2, "btnPVysledkyATP", "ATP rebríček ZEZ-A", 1, 3, "TfrmPVysledkyATP"},
    {2, "btnPUlovkyReviry", "Sumarizácia úlovkov", 1, 4, "ShowPUlovkySumarizaciaVyber", M::Action},
    {2, "btnPCeninyZostatky", "Zostatky cenín", 1, 5, "TfrmPCeninyZostatky"},
    {2, "btnPVlastnaProdukcia", "Hospodárenie revírov", 1, 6, "TfrmPVlastnaProdukcia"},
    // Services.
    {3, "btnNastavenia", "Nastavenia", 1, 1, "TfrmNNastavenia"},
    {3, "btnZalohovanie", "Zálohovanie", 1, 2, "TfrmZalohovanie"},
    {3, "btnPrevodRoka", "Prevod medzi rokmi", 2, 1, "TfrmSPrevodRoka"},
    {3, "btnSystemInfo", "Informácie o systéme", 3, 7, "TfrmInfo", M::DateTime},
    {3, "btnSImport", "Importovanie údajov", 3, 1, "TfrmSImport"},
    {3, "btnSServis", "Servisné funkcie", 3, 6, "TfrmServis"},
};

} // namespace

std::span<const TNavigationPage> NavigationPages() { return kPages; }
std::span<const TNavigationEntry> NavigationEntries() { return kEntries; }
