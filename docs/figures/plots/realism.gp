# The drawn sea's energy by wavelength beside the fully developed sea of
# Pierson and Moskowitz for its wind, read as the wind at 19.5 m and at 10 m,
# with the longest wave the patch holds and the shortest the grid holds. The
# rings of cells stand at their cells' energy-weighted wavelength.
load 'style.gpi'
load 'numbers/values.txt'
set output 'realism.png'
eval canvas(1300, 1500)
data = 'numbers/realism-spectrum.dat'
set multiplot layout 2,1 title sprintf("The drawn sea's energy by wavelength against Pierson–Moskowitz for its wind, %.2f m/s\n(heights x %g applied); the patch holds no wave longer than %g m, the grid none shorter\nthan %.2f m (dashed); Hs drawn %.2f m, Pierson–Moskowitz %.2f m (wind at 19.5 m) or %.2f m (at 10 m)", real_sea_wind, height_scale, patch_length, shortest_wavelength, drawn_significant_height, pm_significant_height, pm_significant_height_wind_at_10m)
set logscale x
set xrange [2:400]
set xtics (2, 3, 5, 10, 20, 30, 50, 100, 200, 400)
set xlabel 'wavelength (m)'
set grid xtics ytics ls 5 lw 0.5
set arrow 1 from patch_length, graph 0 to patch_length, graph 1 nohead ls 5 lc rgb '#000000'
set arrow 2 from shortest_wavelength, graph 0 to shortest_wavelength, graph 1 nohead ls 5 lc rgb '#000000'
set label 1 'patch' at patch_length, graph 0.96 right offset -0.5,0
set label 2 'grid' at shortest_wavelength, graph 0.96 left offset 0.5,0
set logscale y
set format y '10^{%T}'
set yrange [1e-4:1]
set ylabel "height variance per unit wave number\n(m^2 per rad/m)"
set key below
set title sprintf("energy density: the viewer’s spectrum (line), rings of cells\n(points, energy-weighted mean wavelength); peaks (dotted):\ndrawn %.1f m, Pierson–Moskowitz %.1f m (wind at 19.5 m)", drawn_wave_number_peak_wavelength, pm_wave_number_peak_wavelength)
set arrow 4 from drawn_wave_number_peak_wavelength, graph 0 to drawn_wave_number_peak_wavelength, graph 1 nohead ls 1 dt 3
set arrow 5 from pm_wave_number_peak_wavelength, graph 0 to pm_wave_number_peak_wavelength, graph 1 nohead ls 2 dt 3
plot data index 0 using 1:3 with lines ls 1 title 'drawn, expected from the viewer’s spectrum', \
     data index 1 using 1:3 with points ls 1 pt 7 ps 0.9 title 'drawn, this seed’s rings of cells', \
     data index 1 using 1:4 with points ls 1 pt 6 ps 0.9 title 'the same rings, expected', \
     data index 0 using 1:4 with lines ls 2 title 'Pierson–Moskowitz, wind read at 19.5 m', \
     data index 0 using 1:5 with lines ls 3 dt 2 title 'Pierson–Moskowitz, wind read at 10 m'
unset logscale y
set format y '%g'
set yrange [0:2]
set ylabel "drawn over Pierson–Moskowitz\n(wind at 19.5 m)"
set key at 25, 0.3 center center box opaque
set title sprintf("the ratio: %.2f at the drawn peak (%.1f m),\nat most %.2f near %.0f m, %.2f at the grid's shortest", energy_ratio_peak, energy_ratio_wavelength_peak, energy_ratio_largest, energy_ratio_largest_wavelength, energy_ratio_shortest)
unset arrow 4
unset arrow 5
set arrow 3 from 2, 1 to 400, 1 nohead ls 6
plot data index 0 using 1:6 with lines ls 1 title 'drawn / Pierson–Moskowitz'
unset multiplot
