// The web page's figures in headless Chromium: the time from opening the page
// to its first frame, and the frames a second it shows over some seconds.
//   node bench/web_figures.js WEBDIR [SECONDS] [QUERY]
'use strict';
const {openPage} = require('../tests/web/page_runner');

const [webDir, seconds = '10', query = ''] = process.argv.slice(2);

openPage(webDir, `measure=${seconds}${query ? '&' + query : ''}`)
  .then((report) => {
    console.log(`first frame after ${Math.round(report.firstFrameMs)} ms; ` +
                `${(report.frames / report.seconds).toFixed(1)} frames a second over ${report.seconds.toFixed(1)} s`);
  })
  .catch((error) => {
    console.error(error.message);
    process.exit(1);
  });
