// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/first_start_dialog.h"

#include "almanac/calendar_math.h"
#include "almanac/day_notes.h"
#include "app/startup.h"
#include "controls/window_place.h"
#include "base/i18n.h"
#include "host/first_start.h"

#include <glibmm/main.h>

#include <cstdio>

namespace app {
namespace {

std::string Degrees(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

Gtk::Label* RowLabel(const char* text) {
    auto* label = Gtk::manage(new Gtk::Label(text));
    label->set_halign(Gtk::ALIGN_END);
    return label;
}

// A field read by a screen reader by its own name, labelled by its row's label.
void NameField(Gtk::Widget& field, const char* name, Gtk::Label& row) {
    Glib::RefPtr<Atk::Object> accessible = field.get_accessible();
    Glib::RefPtr<Atk::Object> label = row.get_accessible();
    if (!accessible || !label) return;
    accessible->set_name(name);
    atk_object_add_relationship(accessible->gobj(), ATK_RELATION_LABELLED_BY, label->gobj());
    atk_object_add_relationship(label->gobj(), ATK_RELATION_LABEL_FOR, accessible->gobj());
}

} // namespace

FirstStartDialog::FirstStartDialog(const std::filesystem::path& folder, int this_year)
    : Gtk::Dialog("Qelmarin", true), folder_(folder), this_year_(this_year),
      year_(Gtk::Adjustment::create(1970, 1901, std::min(this_year, 2100))), month_(Gtk::Adjustment::create(1, 1, 12)),
      day_(Gtk::Adjustment::create(1, 1, 31)), latitude_(Gtk::Adjustment::create(35.6895, -90, 90, 0.0001, 0.1), 0, 4),
      longitude_(Gtk::Adjustment::create(139.6917, -180, 180, 0.0001, 0.1), 0, 4),
      elevation_(Gtk::Adjustment::create(40, -500, 9000, 1, 10)) {
    set_name("qelmarin-first-start");
    set_position(Gtk::WIN_POS_CENTER);
    intro_.set_text(base::Format(_("No host folder was found: Kalvorin.CFG is not in\n%s\n\n"
                                   "Qelmarin can make the folder there now, with the almanac of 1901 … 2100,\n"
                                   "from your birth date, the first day of your weeks and your place."),
                                 folder_.c_str()));
    intro_.set_halign(Gtk::ALIGN_START);
    // Narrow enough for a small screen (800 × 600, or 1280 × 1024 at scale 2).
    intro_.set_line_wrap(true);
    intro_.set_max_width_chars(64);
    grid_.set_row_spacing(6);
    grid_.set_column_spacing(8);
    grid_.set_border_width(12);
    grid_.attach(intro_, 0, 0, 5, 1);

    Gtk::Label* birth = RowLabel(_("Birth date (year, month, day)"));
    grid_.attach(*birth, 0, 1, 1, 1);
    NameField(year_, _("Birth year"), *birth);
    NameField(month_, _("Birth month"), *birth);
    NameField(day_, _("Birth day"), *birth);
    grid_.attach(year_, 1, 1, 1, 1);
    grid_.attach(month_, 2, 1, 1, 1);
    grid_.attach(day_, 3, 1, 1, 1);
    grid_.attach(sign_, 4, 1, 1, 1);
    for (Gtk::SpinButton* spin : {&year_, &month_, &day_}) {
        spin->set_numeric(true);
        connections_.push_back(
            spin->signal_value_changed().connect(sigc::mem_fun(*this, &FirstStartDialog::BirthDateChanged)));
    }

    grid_.attach(*RowLabel(_("Weeks begin on")), 0, 2, 1, 1);
    weekday_.append(_("Sunday"));
    weekday_.append(_("Monday"));
    weekday_.set_active(0);
    grid_.attach(weekday_, 1, 2, 3, 1);

    grid_.attach(*RowLabel(_("Place")), 0, 3, 1, 1);
    for (const host::PrefecturalCapital& c : host::PrefecturalCapitals())
        place_.append(std::string(c.prefecture) + " " + std::string(c.city));
    place_.append(_("Latitude, longitude and height given below"));
    connections_.push_back(place_.signal_changed().connect(sigc::mem_fun(*this, &FirstStartDialog::PlaceChanged)));
    grid_.attach(place_, 1, 3, 4, 1);
    Gtk::Label* numbers = RowLabel(_("Latitude, longitude (°), height (m)"));
    grid_.attach(*numbers, 0, 4, 1, 1);
    NameField(latitude_, _("Latitude (°)"), *numbers);
    NameField(longitude_, _("Longitude (°)"), *numbers);
    NameField(elevation_, _("Height (m)"), *numbers);
    for (Gtk::SpinButton* spin : {&latitude_, &longitude_, &elevation_}) {
        spin->set_width_chars(spin == &elevation_ ? 5 : 9);
    }
    year_.set_width_chars(4);
    month_.set_width_chars(2);
    day_.set_width_chars(2);
    grid_.attach(latitude_, 1, 4, 1, 1);
    grid_.attach(longitude_, 2, 4, 1, 1);
    grid_.attach(elevation_, 3, 4, 1, 1);

    // The answers scroll where the screen is too small for them; the buttons stay in view.
    const Gdk::Rectangle area = controls::WorkAreaOf(nullptr);
    controls::ScrollWhenLarger(scroll_, area.get_width() - 24, area.get_height() - 120);
    scroll_.add(grid_);
    scroll_.get_accessible()->set_name(_("Your answers"));
    get_content_area()->pack_start(scroll_, true, true);
    add_button(_("Quit"), Gtk::RESPONSE_CANCEL);
    ok_ = add_button(_("Make the folder and start"), Gtk::RESPONSE_OK);
    set_default_response(Gtk::RESPONSE_OK);
    get_action_area()->set_border_width(10);
    // Enter in a number makes the folder, as the default button does, once the date is one.
    for (Gtk::SpinButton* spin : {&year_, &month_, &day_, &latitude_, &longitude_, &elevation_})
        connections_.push_back(spin->signal_activate().connect([this] {
            if (ok_ && ok_->is_sensitive()) response(Gtk::RESPONSE_OK);
        }));
    sign_.set_tooltip_text(_("the year sign of the birth date (the year changes at 立春)"));
    ChoosePlace(12); // 東京都
    BirthDateChanged();
    show_all_children();
}

// The spin buttons say their values change as they go: nothing is read from the others then.
FirstStartDialog::~FirstStartDialog() {
    for (sigc::connection& connection : connections_)
        connection.disconnect();
}

void FirstStartDialog::SetBirthDate(int year, int month, int day) {
    year_.set_value(year);
    month_.set_value(month);
    day_.set_value(day);
    BirthDateChanged();
}

void FirstStartDialog::ChoosePlace(int capital) {
    const int count = static_cast<int>(host::PrefecturalCapitals().size());
    place_.set_active(capital >= 0 && capital < count ? capital : count);
    PlaceChanged();
}

// The year sign of the date as it stands; a date that is none cannot be taken.
// A date that is none, or one still to come, says why the folder cannot be made from it.
void FirstStartDialog::BirthDateChanged() {
    const int year = year_.get_value_as_int(), month = month_.get_value_as_int(), day = day_.get_value_as_int();
    int cycle = host::BirthYearCycle(year, month, day);
    const Today today = SystemToday();
    const bool future = year > this_year_ || (year == today.year && this_year_ == today.year &&
                                              (month > today.month || (month == today.month && day > today.day)));
    if (future) cycle = 0;
    sign_.set_text(cycle > 0                                   ? almanac::CycleName(cycle)
                   : future                                    ? _("a birth date still to come")
                   : day > almanac::DaysInMonth(year, month) ? base::Format(_("%d/%d has no day %d"), year, month, day)
                                                               : _("not a date of 1901 … 2100"));
    if (ok_) ok_->set_sensitive(cycle > 0);
}

// A capital fills in its numbers; the numbers are typed only for a place of one's own.
void FirstStartDialog::PlaceChanged() {
    const auto& capitals = host::PrefecturalCapitals();
    const int index = place_.get_active_row_number();
    const bool own = index < 0 || index >= static_cast<int>(capitals.size());
    if (!own) {
        const host::PrefecturalCapital& c = capitals[static_cast<std::size_t>(index)];
        latitude_.set_value(c.latitude);
        longitude_.set_value(c.longitude);
        elevation_.set_value(c.elevation);
    }
    for (Gtk::SpinButton* spin : {&latitude_, &longitude_, &elevation_})
        spin->set_sensitive(own);
}

host::HostFolderOptions FirstStartDialog::Options() const {
    host::HostFolderOptions options;
    options.folder = folder_;
    options.eto = host::BirthYearCycle(year_.get_value_as_int(), month_.get_value_as_int(), day_.get_value_as_int());
    options.start_weekday = const_cast<Gtk::ComboBoxText&>(weekday_).get_active_row_number() == 1 ? 1 : 0;
    options.latitude = Degrees(latitude_.get_value());
    options.longitude = Degrees(longitude_.get_value());
    options.elevation = elevation_.get_value_as_int();
    return options;
}

bool OfferFirstStart(const std::filesystem::path& folder, int this_year, base::Reporter& reporter) {
    FirstStartDialog dialog(folder, this_year);
    if (dialog.run() != Gtk::RESPONSE_OK) return false;
    const host::HostFolderOptions options = dialog.Options();
    // The almanac of two centuries takes a moment: the dialog says so while it is made.
    dialog.set_sensitive(false);
    if (auto window = dialog.get_window()) window->set_cursor(Gdk::Cursor::create(window->get_display(), "wait"));
    auto context = Glib::MainContext::get_default();
    while (context->pending())
        context->iteration(false);
    const std::string failure = host::MakeNewHostFolder(options, this_year);
    dialog.hide();
    if (!failure.empty()) {
        reporter.ShowMessage(
            std::string(_("The host folder could not be made")) + "\r" + folder.string() + ": " + failure,
            kErrorCaption);
        return false;
    }
    return true;
}

} // namespace app
