// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first start without a host folder: instead of only refusing, the program offers to
// make one at the standard place from a few answers (birth date, first weekday, place),
// with the stand-in host's own code, and then starts normally. Declined, the refusal of
// the original follows and the program ends.

#include "base/reporter.h"
#include "host/host_folder.h"

#include <gtkmm/comboboxtext.h>
#include <gtkmm/dialog.h>
#include <gtkmm/grid.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/spinbutton.h>

#include <filesystem>
#include <vector>

namespace app {

class FirstStartDialog : public Gtk::Dialog {
public:
    // folder: where the host folder will be made; this_year: the latest birth year offered.
    FirstStartDialog(const std::filesystem::path& folder, int this_year);
    ~FirstStartDialog() override;

    // The answers as the host folder is made from them (eto 0 for a date that is none).
    host::HostFolderOptions Options() const;
    // The year sign shown for the birth date ("庚午"); for a date that is none or still to
    // come, why it cannot be taken.
    std::string YearSignText() const { return sign_.get_text(); }

    void SetBirthDate(int year, int month, int day);
    // A prefectural capital by its index, or -1 for a place given by its numbers.
    void ChoosePlace(int capital);
    Gtk::SpinButton& Latitude() { return latitude_; }
    Gtk::SpinButton& Longitude() { return longitude_; }
    Gtk::SpinButton& Elevation() { return elevation_; }
    Gtk::ComboBoxText& Weekday() { return weekday_; }

private:
    void BirthDateChanged();
    void PlaceChanged();

    std::filesystem::path folder_;
    int this_year_;
    Gtk::ScrolledWindow scroll_;
    Gtk::Grid grid_;
    Gtk::Label intro_;
    Gtk::SpinButton year_, month_, day_;
    Gtk::Label sign_;
    Gtk::ComboBoxText weekday_;
    Gtk::ComboBoxText place_;
    Gtk::SpinButton latitude_, longitude_, elevation_;
    Gtk::Widget* ok_ = nullptr;
    std::vector<sigc::connection> connections_;
};

// Offers the dialog for a folder that holds no Kalvorin.CFG. True when the host folder was
// made (the program then starts on it); false when the user declined or it could not be
// made (said through the reporter).
bool OfferFirstStart(const std::filesystem::path& folder, int this_year, base::Reporter& reporter);

} // namespace app
