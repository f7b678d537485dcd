#pragma once
// The CIE tables as colord-data ships them, compiled in at build time
// (GenerateCieTables.cmake), so the program computes colour without the
// package installed and a changed file cannot alter results unnoticed.

namespace colorimetry::cie {

// One tabulated function or a set of up to three (x̄ ȳ z̄, S0 S1 S2) on a
// regular wavelength grid; rows[k][i] belongs to startNm + i * stepNm.
struct Table
{
    const char* file; // below /usr/share/colord
    int startNm;
    int stepNm;
    int bands;
    const double* rows[3];

    int endNm() const { return startNm + stepNm * (bands - 1); }
    // Row k at a wavelength on the grid; 0 outside the table.
    double at(int row, int nm) const
    {
        if (nm < startNm || nm > endNm() || (nm - startNm) % stepNm != 0) {
            return 0.0;
        }
        return rows[row][(nm - startNm) / stepNm];
    }
};

// CIE 1931 2° and CIE 1964 10° colour-matching functions, 360..830 nm, 5 nm.
extern const Table observer1931;
extern const Table observer1964;
// The CIE daylight basis S0, S1, S2, 300..830 nm, 5 nm.
extern const Table daylightBasis;
// Relative spectral power distributions (560 nm = 1).
extern const Table illuminantA;   // 300..830 nm, 1 nm
extern const Table illuminantC;   // 380..780 nm, 5 nm
extern const Table illuminantD50; // 380..780 nm, 5 nm, three decimals
extern const Table illuminantD55; // 380..780 nm, 5 nm
extern const Table illuminantD65; // 300..830 nm, 5 nm
extern const Table illuminantF2;  // 380..780 nm, 5 nm
extern const Table illuminantF7;
extern const Table illuminantF11;

} // namespace colorimetry::cie
