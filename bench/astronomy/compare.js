// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison peer of host_vs_astronomy_engine.sh: reads the events that kalvorin-host
// listed (JST to the second), finds each one again with astronomy-engine (SearchSunLongitude,
// SearchMoonPhase) under the host's own ΔT table, and reports the time taken by each side,
// their ratio and the largest differences.
//
// node compare.js EVENTS_FILE DELTA_T_SOURCE HOST_SECONDS [DAYFILE_SECONDS]

'use strict';
const fs = require('fs');
const Astronomy = require('astronomy-engine');

const [eventsPath, deltaTPath, hostSecondsText, dayFileSecondsText] = process.argv.slice(2);
if (!eventsPath || !deltaTPath || !hostSecondsText) {
    console.error('usage: node compare.js EVENTS_FILE DELTA_T_SOURCE HOST_SECONDS [DAYFILE_SECONDS]');
    process.exit(2);
}

// The host's ΔT table (1 January of 1900 … 2101), read from its source, interpolated as the
// host does, so that both sides convert TT to UT alike and only the ephemerides differ.
const tableText = fs.readFileSync(deltaTPath, 'utf8');
const body = tableText.slice(tableText.indexOf('kDeltaT = {') + 'kDeltaT = {'.length);
const deltaT = body.slice(0, body.indexOf('}')).split(',').map(s => s.trim()).filter(s => s).map(Number);
const firstYear = 1900;
const J2000_MS = Date.UTC(2000, 0, 1, 12);
const daysOf = ms => (ms - J2000_MS) / 86400000;
Astronomy.SetDeltaTFunction(ut => {
    const date = new Date(J2000_MS + ut * 86400000);
    const year = date.getUTCFullYear();
    const index = Math.min(Math.max(year - firstYear, 0), deltaT.length - 2);
    const start = daysOf(Date.UTC(year, 0, 1));
    const fraction = (ut - start) / (daysOf(Date.UTC(year + 1, 0, 1)) - start);
    if (year < firstYear) return deltaT[0];
    if (year - firstYear >= deltaT.length - 1) return deltaT[deltaT.length - 1];
    return deltaT[index] + (deltaT[index + 1] - deltaT[index]) * fraction;
});

// "solar 315 立春 2021-02-03 23:58:47" / "moon new moon 朔 2021-02-12 04:05:42"
const events = [];
for (const line of fs.readFileSync(eventsPath, 'utf8').split('\n')) {
    const m = line.match(/^(solar (\d+)|moon new moon) .* (\d{4})-(\d\d)-(\d\d) (\d\d):(\d\d):(\d\d)$/);
    if (!m) continue;
    const ms = Date.UTC(+m[3], +m[4] - 1, +m[5], +m[6] - 9, +m[7], +m[8]);
    events.push({ moon: m[2] === undefined, longitude: m[2] === undefined ? 0 : +m[2], ut: daysOf(ms) });
}

const started = process.cpuUsage();
const found = events.map(e => {
    const from = new Astronomy.AstroTime(e.ut - 2);
    const t = e.moon ? Astronomy.SearchMoonPhase(0, from, 4) : Astronomy.SearchSunLongitude(e.longitude, from, 4);
    return t ? t.ut : NaN;
});
const used = process.cpuUsage(started);
const peerSeconds = (used.user + used.system) / 1e6;

function summary(filter) {
    let count = 0, sumSquares = 0, largest = 0, at = null;
    events.forEach((e, i) => {
        if (!filter(e)) return;
        const difference = (found[i] - e.ut) * 86400;
        count++;
        sumSquares += difference * difference;
        if (!(Math.abs(difference) <= largest)) { largest = Math.abs(difference); at = e; }
    });
    const when = at ? new Date(J2000_MS + at.ut * 86400000 + 9 * 3600000).toISOString().slice(0, 19) + ' JST' : '-';
    return `${count} events, rms ${Math.sqrt(sumSquares / count).toFixed(2)} s, largest ${largest.toFixed(2)} s (${when})`;
}

const hostSeconds = Number(hostSecondsText);
console.log(`new moons:        ${summary(e => e.moon)}`);
console.log(`solar longitudes: ${summary(e => !e.moon)}`);
console.log(`kalvorin-host:    ${hostSeconds.toFixed(2)} s CPU (the whole command, process start included)`);
console.log(`astronomy-engine: ${peerSeconds.toFixed(2)} s CPU (the searches only)`);
console.log(`ratio host / astronomy-engine: ${(hostSeconds / peerSeconds).toFixed(2)}`);
if (dayFileSecondsText !== undefined) {
    const dayFileSeconds = Number(dayFileSecondsText);
    console.log(`kalvorin-host dayfile: ${dayFileSeconds.toFixed(2)} s CPU (the same events' dates and the 73,050 days)`);
    console.log(`ratio dayfile / astronomy-engine: ${(dayFileSeconds / peerSeconds).toFixed(2)}`);
}
console.log('(differences are to the second: the host prints its instants rounded to the second)');
