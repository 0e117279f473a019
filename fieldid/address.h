// Line distance, joining of multi-line fields, postal codes and address separation.
#pragma once

// 0 none, 1 United States, 2 Canada, 3 Germany, 4 France, 5 Italy, 6 Spain, 7 Netherlands;
// only regions whose switch is on are tried, in that order.
int FID_is_postcode(const char* text);
// The postcode test of one region (numbering as above), whatever the switches.
bool postcodeTest(int region, const char* text);

// Whether a Dutch postcode ("2515BM", blanks removed) starts at s.
bool dutchPostcodeAt(const char* s);
// The first line after i that scores for the kind and stands close enough below i to continue
// it; -1 when none.
int nextAdjacentLineOf(int i, int kind);

// Whether the line holds an address piece of this kind (FieldCity, FieldState, FieldCountry or
// FieldZipCode): an address record of the line with that text set, and the kind's score on the
// line above 0.
bool holdsPiece(int line, int kind);

// Joins a company name printed over two adjacent lines into the later line.
void FID_join_company_lines();
// Joins a department printed over two adjacent lines, with a line break between them.
void FID_join_department_lines();
// Joins the lines of one address (street over city) into the later line.
void FID_join_address_lines();
// Finds the postal codes, cities and guesses of each address record and strengthens whole addresses.
void FID_separate_addresses();
