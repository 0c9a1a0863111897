fCall;fBand|fDistance|PKT|fBand eq "2m"
"1"|1|MLT|
