// Line distance, joining of multi-line fields, postal codes and address separation.
#pragma once

// 0 none, 1 United States, 2 Canada, 3 Germany, 4 France, 5 Italy, 6 Spain, 7 Netherlands;
// only regions whose switch is on are tried, in that order.
int FID_is_postcode(const char* text);
// The postcode test of one region (numbering as above), whatever the switches.
bool FID_postcode_test(int region, const char* text);

void FID_join_company_lines();
void FID_join_department_lines();
void FID_join_address_lines();
void FID_separate_addresses();
